// Reading the version service's answer and ordering releases.
#include <gtest/gtest.h>

#include "Releases.h"
#include "UpdateAddresses.h"
#include "VersionAnswer.h"

namespace quilor {
namespace {

struct AnswerCase {
  const char* what;
  QByteArray body;
  QByteArray newest;
  QByteArray link;
};

TEST(VersionAnswer, ReadsReleaseAndLink) {
  const AnswerCase cases[] = {
      {"CR LF", "SURUM=1.02.02\r\nDOWNLOADLINK=http://x/q.zip\r\n", "1.02.02", "http://x/q.zip"},
      {"LF", "SURUM=1.02.02\nDOWNLOADLINK=http://x/q.zip", "1.02.02", "http://x/q.zip"},
      {"CR", "SURUM=1.02.02\rDOWNLOADLINK=http://x/q.zip", "1.02.02", "http://x/q.zip"},
      {"<br> is a line break", "SURUM=1.02.02<br>DOWNLOADLINK=http://x/q.zip", "1.02.02",
       "http://x/q.zip"},
      {"<BR> is text", "SURUM=1.02.02<BR>DOWNLOADLINK=http://x/q.zip",
       "1.02.02<BR>DOWNLOADLINK=http://x/q.zip", ""},
      {"names in any case", "surum=1.02.02\r\nDownloadLink=http://x", "1.02.02", "http://x"},
      {"values keep their blanks", "SURUM= 1.02.02 \r\nDOWNLOADLINK= ", " 1.02.02 ", " "},
      {"a name with blanks is another name", "SURUM =1.02.02\r\nSURUM=1.03", "1.03", ""},
      {"the first line of a name wins", "SURUM=1.02.02\r\nSURUM=9.99", "1.02.02", ""},
      {"the value keeps later =", "SURUM=1=2\r\nDOWNLOADLINK=http://x/?a=b&c=d", "1=2",
       "http://x/?a=b&c=d"},
      {"other lines are ignored", "<html>\r\nAD=Quilor\r\nSURUM=1.02.02\r\n</html>", "1.02.02", ""},
      {"a zero byte ends the text", QByteArray("SURUM=1.02\0\r\nDOWNLOADLINK=x", 27), "1.02", ""},
      {"empty", "", "", ""},
      {"no release line", "DOWNLOADLINK=http://x", "", "http://x"},
  };
  for (const AnswerCase& c : cases) {
    SCOPED_TRACE(c.what);
    const VersionAnswer answer = ParseVersionAnswer(c.body);
    EXPECT_EQ(answer.newestRelease, c.newest);
    EXPECT_EQ(answer.downloadLink, c.link);
  }
}

TEST(Releases, NewerByCharactersFromTheLeft) {
  const struct {
    QByteArray newest;
    bool newer;
  } cases[] = {
      {"1.02.01", false},
      {"1.02.00", false},
      {"1.02.02", true},
      {"1.02.01 ", true},  // not trimmed: longer with the same start
      {"1.02", false},     // a prefix is smaller
      {"1.1", true},       // '1' > '0' at the third character
      {"1.02.010", true},
      {"0.99.99", false},
      {"", false},
      {"1.02.01\xc3\xa7", true},  // bytes above 127 count as large, not negative
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.newest.toStdString());
    EXPECT_EQ(IsNewerRelease(c.newest, "1.02.01"), c.newer);
  }
}

TEST(Releases, InUseDropsTheLeadingLetter) {
  EXPECT_EQ(ReleaseInUse(QStringLiteral("s1.02.01")), QStringLiteral("1.02.01"));
}

TEST(UpdateAddresses, QueryAndNewsPage) {
  EXPECT_EQ(VersionQueryUrl(QStringLiteral("http://h/versiyonkontrol.php"), QStringLiteral("ZQR4"))
                .toString(QUrl::FullyEncoded),
            QStringLiteral("http://h/versiyonkontrol.php?prg=ZQR4"));
  EXPECT_EQ(NewsPageUrl(QStringLiteral("http://h/"), QStringLiteral("1.02.01"))
                .toString(QUrl::FullyEncoded),
            QStringLiteral("http://h/programlar/guncelhaber.php?id=&surum=02.01"));
}

TEST(UpdateAddresses, OnlyWebLinksAreOpened) {
  const struct {
    QByteArray link;
    const char* opened;  // nullptr: not opened
  } cases[] = {
      {"http://www.zentaris.com.tr/indir/quilor.zip",
       "http://www.zentaris.com.tr/indir/quilor.zip"},
      {"https://indir.zentaris.com.tr/q.exe", "https://indir.zentaris.com.tr/q.exe"},
      {"www.zentaris.com.tr/indir", "http://www.zentaris.com.tr/indir"},
      {"", nullptr},
      {" ", nullptr},
      {"file:///home/ali/.bashrc", nullptr},
      {"/usr/bin/xterm", nullptr},
      {"smb://sunucu/paylasim/kurulum.exe", nullptr},
      {"javascript:alert(1)", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link.toStdString());
    const std::optional<QUrl> url = DownloadUrl(c.link);
    if (c.opened == nullptr) {
      EXPECT_FALSE(url.has_value()) << url->toString().toStdString();
    } else {
      ASSERT_TRUE(url.has_value());
      EXPECT_EQ(url->toString(), QString::fromLatin1(c.opened));
    }
  }
}

}  // namespace
}  // namespace quilor
