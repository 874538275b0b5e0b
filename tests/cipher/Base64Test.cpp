#include <gtest/gtest.h>

#include <string>

#include "Base64.h"

namespace quilor {
namespace {

using namespace std::string_literals;

TEST(Base64, Encode) {
  struct EncodeCase {
    std::string bytes;
    std::string text;
  };
  const EncodeCase cases[] = {
      {"", ""},
      {"f", "Zg=="},
      {"fo", "Zm8="},
      {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="},
      {"fooba", "Zm9vYmE="},
      {"foobar", "Zm9vYmFy"},
      {"\0"s, "AA=="},
      {"\xFB\xFF\xBF", "+/+/"},
  };
  for (const EncodeCase& c : cases) {
    EXPECT_EQ(EncodeBase64(c.bytes), c.text) << c.bytes;
  }
}

TEST(Base64, Decode) {
  struct DecodeCase {
    std::string text;
    std::string bytes;
  };
  const DecodeCase cases[] = {
      {"", ""},
      {"Zg==", "f"},
      {"Zm8=", "fo"},
      {"Zm9v", "foo"},
      {"Zm9vYmFy", "foobar"},
      {"+/+/", "\xFB\xFF\xBF"},
      // Length not a multiple of four: damaged, nothing decoded.
      {"Zm9vY", ""},
      {"Zm9vYmE", ""},
      {"Zm9vYmFy=", ""},
      // A final "=" replaced by any other character outside the alphabet.
      {"Zg=!", "f"},
      {"Zm8!", "fo"},
      {"Zm8 ", "fo"},
      {"Zm8\n", "fo"},
      {"Zm8\x80", "fo"},
      {"Zm9vYg=#", "foob"},
      // An early stop keeps only the bytes wholly written before it.
      {"=m9v", ""},
      {"Z=9v", ""},
      {"Zm=v", "f"},
      {"Zm9vYmE!Zm9v", "fooba"},
      {"Zm9v!m9vYmFy", "foo"},
      {"Zm9vY!9vYmFy", "foo"},
      {"Zm9vYm!vYmFy", "foob"},
      {"Zm9v\0m9v"s, "foo"},
  };
  for (const DecodeCase& c : cases) {
    EXPECT_EQ(DecodeBase64(c.text), c.bytes) << c.text;
  }
}

TEST(Base64, EveryByteValueRoundTripsAtEveryRemainder) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  for (std::size_t length = 253; length <= 256; ++length) {
    const std::string bytes = all.substr(0, length);
    const std::string text = EncodeBase64(bytes);
    EXPECT_EQ(text.size(), (length + 2) / 3 * 4);
    EXPECT_EQ(DecodeBase64(text), bytes) << length;
  }
}

}  // namespace
}  // namespace quilor
