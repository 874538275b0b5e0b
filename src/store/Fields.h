#pragma once

#include <array>
#include <string_view>

namespace quilor {

enum class FieldKind { Text, Date, Time, Boolean };

struct FieldDef {
  std::string_view name;           // stored name, also the key in the data file
  std::string_view componentName;  // the name the program's text uses for it
  FieldKind kind;
  int maxBytes;  // text fields only; 0 for the others
};

inline constexpr int kFieldCount = 20;

// The twenty fields of a credential record, in table order.
inline constexpr std::array<FieldDef, kFieldCount> kFields{{
    {"ALAN1", "RxSifreKAYITNO", FieldKind::Text, 30},
    {"ALAN2", "RxSifreTANIMI", FieldKind::Text, 50},
    {"ALAN3", "RxSifreKULLANICIADI", FieldKind::Text, 500},
    {"ALAN4", "RxSifreSIFRE", FieldKind::Text, 500},
    {"ALAN5", "RxSifreSIFRE2", FieldKind::Text, 500},
    {"ALAN6", "RxSifreACIKLAMA", FieldKind::Text, 200},
    {"ALAN7", "RxSifreWEBADRES", FieldKind::Text, 100},
    {"ALAN8", "RxSifreOZELKODU1", FieldKind::Text, 50},
    {"ALAN9", "RxSifreOZELKODU2", FieldKind::Text, 50},
    {"ALAN10", "RxSifreGRUBU", FieldKind::Text, 30},
    {"ALAN11", "RxSifreKAYITTARIHI", FieldKind::Date, 0},
    {"ALAN12", "RxSifreSIFREDEGISTIRMETARIH", FieldKind::Date, 0},
    {"ALAN13", "RxSifreSIFREDEGISTIRMESAATI", FieldKind::Time, 0},
    {"ALAN14", "RxSifreSIFRE2DEGISTIRMETARIHI", FieldKind::Date, 0},
    {"ALAN15", "RxSifreSIFRE2DEGISTIRMESAATI", FieldKind::Time, 0},
    {"ALAN16", "RxSifreOTOMATIKDOLDURSCRIPT", FieldKind::Text, 500},
    {"ALAN17", "RxSifreSISTEMTRAY", FieldKind::Boolean, 0},
    {"ALAN18", "RxSifreSIFRE2TANIM", FieldKind::Text, 25},
    {"ALAN19", "RxSifreSIFRE1TANIM", FieldKind::Text, 25},
    {"ALAN20", "RxSifreKULLANICIADITANIM", FieldKind::Text, 25},
}};

// Field positions by meaning, so code reads as what it means.
namespace field {
inline constexpr int KAYITNO = 0;
inline constexpr int TANIMI = 1;
inline constexpr int KULLANICIADI = 2;
inline constexpr int SIFRE = 3;
inline constexpr int SIFRE2 = 4;
inline constexpr int ACIKLAMA = 5;
inline constexpr int WEBADRES = 6;
inline constexpr int OZELKODU1 = 7;
inline constexpr int OZELKODU2 = 8;
inline constexpr int GRUBU = 9;
inline constexpr int KAYITTARIHI = 10;
inline constexpr int SIFREDEGISTIRMETARIH = 11;
inline constexpr int SIFREDEGISTIRMESAATI = 12;
inline constexpr int SIFRE2DEGISTIRMETARIHI = 13;
inline constexpr int SIFRE2DEGISTIRMESAATI = 14;
inline constexpr int OTOMATIKDOLDURSCRIPT = 15;
inline constexpr int SISTEMTRAY = 16;
inline constexpr int SIFRE2TANIM = 17;
inline constexpr int SIFRE1TANIM = 18;
inline constexpr int KULLANICIADITANIM = 19;
}  // namespace field

// Field and key names are ASCII; folding them needs no locale, and the data
// file's reader calls this for every line.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Index of the field with this stored name, letter case ignored; -1 when none.
int FieldIndexByName(std::string_view name);

}  // namespace quilor
