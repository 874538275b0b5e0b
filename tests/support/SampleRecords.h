#pragma once

#include <QString>
#include <string>

#include "RecordTable.h"

namespace quilor::test {

// One record as a person would type it; dates as day counts since 1899-12-30
// (0 = not set), times as fractions of a day.
struct SampleRecord {
  QString title{};
  QString group{};
  QString description{};
  QString webAddress{};
  QString userName{};
  QString password{};
  QString password2{};
  QString specialCode1{};
  QString specialCode2{};
  double recordDate = 0;
  double password1Date = 0;
  double password1Time = 0;
  double password2Date = 0;
  double password2Time = 0;
  bool onTrayMenu = false;
  std::string recordNumber{};
};

// Day count of a calendar date.
double Days(int year, int month, int day);

void AppendSample(RecordTable& table, const SampleRecord& record);

// count records of varied, realistic content (Turkish titles, groups,
// addresses), every tenth one on the tray menu.
void AppendGeneratedRecords(RecordTable& table, int count);

// Writes table under masterPassword to path, as the program would.
void SaveSample(RecordTable& table, const std::string& path, const std::string& masterPassword);

}  // namespace quilor::test
