#pragma once

#include <array>
#include <string_view>

namespace quilor {

enum class FieldKind { Text, Date, Time, Boolean };

struct FieldDef {
  std::string_view name;  // stored name, also the key in the data file
  FieldKind kind;
  int maxBytes;  // text fields only; 0 for the others
};

inline constexpr int kFieldCount = 20;

// The twenty fields of a credential record, in table order.
inline constexpr std::array<FieldDef, kFieldCount> kFields{{
    {"ALAN1", FieldKind::Text, 30},     // Field::RecordNumber
    {"ALAN2", FieldKind::Text, 50},     // Field::Title
    {"ALAN3", FieldKind::Text, 500},    // Field::UserName
    {"ALAN4", FieldKind::Text, 500},    // Field::Password
    {"ALAN5", FieldKind::Text, 500},    // Field::Password2
    {"ALAN6", FieldKind::Text, 200},    // Field::Description
    {"ALAN7", FieldKind::Text, 100},    // Field::WebAddress
    {"ALAN8", FieldKind::Text, 50},     // Field::Code1
    {"ALAN9", FieldKind::Text, 50},     // Field::Code2
    {"ALAN10", FieldKind::Text, 30},    // Field::Group
    {"ALAN11", FieldKind::Date, 0},     // Field::CreatedDate
    {"ALAN12", FieldKind::Date, 0},     // Field::PasswordChangedDate
    {"ALAN13", FieldKind::Time, 0},     // Field::PasswordChangedTime
    {"ALAN14", FieldKind::Date, 0},     // Field::Password2ChangedDate
    {"ALAN15", FieldKind::Time, 0},     // Field::Password2ChangedTime
    {"ALAN16", FieldKind::Text, 500},   // Field::AutoFillScript
    {"ALAN17", FieldKind::Boolean, 0},  // Field::ShowInTray
    {"ALAN18", FieldKind::Text, 25},    // Field::Password2Caption
    {"ALAN19", FieldKind::Text, 25},    // Field::PasswordCaption
    {"ALAN20", FieldKind::Text, 25},    // Field::UserNameCaption
}};

// Field positions by meaning, so code reads as what it means.
namespace Field {
inline constexpr int RecordNumber = 0;
inline constexpr int Title = 1;
inline constexpr int UserName = 2;
inline constexpr int Password = 3;
inline constexpr int Password2 = 4;
inline constexpr int Description = 5;
inline constexpr int WebAddress = 6;
inline constexpr int Code1 = 7;
inline constexpr int Code2 = 8;
inline constexpr int Group = 9;
inline constexpr int CreatedDate = 10;
inline constexpr int PasswordChangedDate = 11;
inline constexpr int PasswordChangedTime = 12;
inline constexpr int Password2ChangedDate = 13;
inline constexpr int Password2ChangedTime = 14;
inline constexpr int AutoFillScript = 15;
inline constexpr int ShowInTray = 16;
inline constexpr int Password2Caption = 17;
inline constexpr int PasswordCaption = 18;
inline constexpr int UserNameCaption = 19;
}  // namespace Field

// The time of day kept beside a date field (the two password change dates);
// -1 for a date that stands alone.
constexpr int TimeFieldOfDate(int dateField) {
  if (dateField == Field::PasswordChangedDate) return Field::PasswordChangedTime;
  if (dateField == Field::Password2ChangedDate) return Field::Password2ChangedTime;
  return -1;
}

// Field and key names are ASCII; folding them needs no locale, and the data
// file's reader calls this for every line.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Index of the field with this stored name, letter case ignored; -1 when none.
int FieldIndexByName(std::string_view name);

}  // namespace quilor
