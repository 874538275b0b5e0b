// Writes the sample data file for the tests that run the real program:
//   make_sample_data_file PATH MASTER_PASSWORD
#include <cstdio>
#include <exception>

#include "SampleDataFile.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s PATH MASTER_PASSWORD\n", argv[0]);
    return 2;
  }
  try {
    quilor::test::WriteSampleDataFile(argv[1], argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
