// Writes a data file of generated records, for screenshots and measurements:
//   quilor_sample_data PATH COUNT MASTER_PASSWORD
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "Cp1254.h"
#include "SampleRecords.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s PATH COUNT MASTER_PASSWORD\n", argv[0]);
    return 2;
  }
  try {
    quilor::RecordTable table;
    quilor::test::AppendGeneratedRecords(table, std::atoi(argv[2]));
    const std::string password = quilor::ToCp1254(QString::fromUtf8(argv[3])).bytes;
    quilor::test::SaveSample(table, argv[1], password);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
