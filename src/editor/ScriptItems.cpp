#include "ScriptItems.h"

#include <utility>

namespace quilor {

namespace {

// The keys of the menu, in menu order, with the names the help gives them.
const std::array<std::pair<QString, QString>, 30>& KeyNames() {
  static const std::array<std::pair<QString, QString>, 30> keys{{
      {QStringLiteral("BACKSPACE"), QStringLiteral("Backspace")},
      {QStringLiteral("CAPSLOCK"), QStringLiteral("CapsLock")},
      {QStringLiteral("DELETE"), QStringLiteral("Delete")},
      {QStringLiteral("DOWN"), QStringLiteral("Aşağı Ok")},
      {QStringLiteral("END"), QStringLiteral("End")},
      {QStringLiteral("ENTER"), QStringLiteral("Enter")},
      {QStringLiteral("ESC"), QStringLiteral("Esc")},
      {QStringLiteral("F1"), QStringLiteral("F1")},
      {QStringLiteral("F2"), QStringLiteral("F2")},
      {QStringLiteral("F3"), QStringLiteral("F3")},
      {QStringLiteral("F4"), QStringLiteral("F4")},
      {QStringLiteral("F5"), QStringLiteral("F5")},
      {QStringLiteral("F6"), QStringLiteral("F6")},
      {QStringLiteral("F7"), QStringLiteral("F7")},
      {QStringLiteral("F8"), QStringLiteral("F8")},
      {QStringLiteral("F9"), QStringLiteral("F9")},
      {QStringLiteral("F10"), QStringLiteral("F10")},
      {QStringLiteral("F11"), QStringLiteral("F11")},
      {QStringLiteral("F12"), QStringLiteral("F12")},
      {QStringLiteral("HOME"), QStringLiteral("Home")},
      {QStringLiteral("INS"), QStringLiteral("Insert")},
      {QStringLiteral("LEFT"), QStringLiteral("Sol ok")},
      {QStringLiteral("NUMLOCK"), QStringLiteral("Numlock")},
      {QStringLiteral("PGDN"), QStringLiteral("Page Down")},
      {QStringLiteral("PGUP"), QStringLiteral("Page Up")},
      {QStringLiteral("PRTSC"), QStringLiteral("PrintScreen")},
      {QStringLiteral("RIGHT"), QStringLiteral("Sağ ok")},
      {QStringLiteral("SCROLLLOCK"), QStringLiteral("ScrollLock")},
      {QStringLiteral("TAB"), QStringLiteral("Tab")},
      {QStringLiteral("UP"), QStringLiteral("Yukarı ok")},
  }};
  return keys;
}

QString Padded(const QString& name, int width) { return name.leftJustified(width, ' '); }

}  // namespace

const std::array<QString, kScriptMenuEntryCount>& ScriptMenuCaptions() {
  static const std::array<QString, kScriptMenuEntryCount> captions = [] {
    std::array<QString, kScriptMenuEntryCount> all{
        QStringLiteral("KULLANICIADI"), QStringLiteral("SIFRE1"),
        QStringLiteral("SIFRE2"),       QStringLiteral("WEBADRES"),
        QStringLiteral("OZELKODU1"),    QStringLiteral("OZELKODU2"),
        QStringLiteral("BEKLE_1000"),   QStringLiteral("BEKLE_2000"),
        QStringLiteral("BEKLE_3000"),   QStringLiteral("-")};
    for (std::size_t i = 0; i < KeyNames().size(); ++i) all[10 + i] = KeyNames()[i].first;
    return all;
  }();
  return captions;
}

ScriptInsertion InsertScriptItem(const QString& script, int caret, const QString& caption) {
  const QString item = '{' + caption + '}';
  const int at = qBound(0, caret, int(script.size()));
  return {script.left(at) + item + script.mid(at), at + int(item.size())};
}

QStringList ScriptHelpLines() {
  QStringList lines{
      QStringLiteral("Otomatik form doldurma özelliği hakkında bilgi."),
      QString(),
      QStringLiteral("Bu özellik açmış olduğunuz bir sayfaya belirttiğiniz script'e göre otomatik"),
      QStringLiteral(
          "olarak veri girişi sağlar. Bu işlemi yapmak için hedef pencereye tuşa basılıyormuş"),
      QStringLiteral(
          "gibi mesaj gönderir. Dolayısı ile siz klavyeden yazıyormuşsunuz gibi işlem yaptırır."),
      QString(),
      QStringLiteral(
          "Script yazmak için belli kurallar vardır. bazı bilgiler {} içerisinde girilmelidir."),
      QStringLiteral("Script yazarken kullanabileceğiniz bilgiler aşağıda belirtilmiştir."),
      QString(),
  };
  for (const auto& [name, display] : KeyNames()) {
    lines << Padded(name, 14) + QStringLiteral(": ") + display + QStringLiteral(" tuşuna basar.");
  }
  lines << QString() << QStringLiteral("Özel Tuşlar") << QString();
  lines << Padded(QStringLiteral("%"), 14) + QStringLiteral(": Alt Tuşu")
        << Padded(QStringLiteral("+"), 14) + QStringLiteral(": Shift Tuşu")
        << Padded(QStringLiteral("^"), 14) + QStringLiteral(": Ctrl Tuşu") << QString();
  lines << QStringLiteral("Programa girdiğiniz veriler için") << QString();
  const std::pair<const char*, const char*> placeholders[] = {
      {"KULLANICIADI", "Kullanıcı adınızı yazdırır."},
      {"SIFRE1", "1. şifrenizi yazdırır."},
      {"SIFRE2", "2. şifrenizi yazdırır."},
      {"WEBADRES", "Kaydın web adresini yazdırır."},
      {"OZELKODU1", "Kaydın özel kod 1'ini yazdırır."},
      {"OZELKODU2", "Kaydın özel kod 2'sini yazdırır."},
  };
  for (const auto& [name, meaning] : placeholders) {
    lines << Padded(QString::fromLatin1(name), 13) + QStringLiteral(": ") +
                 QString::fromUtf8(meaning);
  }
  lines << QString() << QStringLiteral("Bekleme Fonksiyonu") << QString()
        << QStringLiteral(
               "Script'in içerisine {BEKLE_1000} şeklinde bir veri girdiğinizde program 1 sn "
               "bekleme")
        << QStringLiteral(
               "yapar. 1000 kısmı milisaniye cinsindendir. Web adreslerinde sayfanın "
               "yüklenmesinin")
        << QStringLiteral("tamamlanması için kullanılabilir.") << QString();
  lines << QStringLiteral(
               "Yukarıda anlatılan bilgilere script giriş bölümünde sağ tıklayarak hızlı olarak")
        << QStringLiteral("erişebilirsiniz.") << QString();
  lines << QStringLiteral("Örnek Script") << QString()
        << QStringLiteral(
               "{KULLANICIADI}{TAB}{SIFRE1}{ENTER}{BEKLE_3000}{SIFRE2}{ENTER}{BEKLE_2000}"
               "Otomatik doldurma test^S")
        << QString() << QStringLiteral("Bu örnekte hedef sayfada program") << QString()
        << QStringLiteral("1 - Kullanıcı adını girer.") << QStringLiteral("2 - Tab tuşuna basar.")
        << QStringLiteral("3 - 1. şifrenizi girer") << QStringLiteral("4 - Enter tuşuna basar.")
        << QStringLiteral("5 - 3 sn bekler") << QStringLiteral("6 - 2. şifrenizi girer.")
        << QStringLiteral("7 - Enter tuşuna basar.") << QStringLiteral("8 - 2 sn bekle")
        << QStringLiteral("9 - \"Otomatik doldurma test\" yazısını yazdırır.")
        << QStringLiteral("10 - CTRL + S tuşuna basar. ") << QString();
  return lines;
}

}  // namespace quilor
