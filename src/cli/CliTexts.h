#pragma once

// Every text quilor-cli shows, in one place. UTF-8.
namespace quilor::cli::text {

inline constexpr const char* kProgram = "quilor-cli";

inline constexpr const char* kHelp =
    "Kullanım:\n"
    "  quilor-cli ls DOSYA                 kayıtların tanımını, grubunu ve web adresini\n"
    "                                      sıralı listeler (sekmeyle ayrılmış)\n"
    "  quilor-cli show [-s] DOSYA TANIM    tanımı TANIM olan kaydı gösterir; TANIM büyük\n"
    "                                      küçük harf gözetmeden, Türkçe kurallarla aranır\n"
    "                                      ya da bir kayıt numarasıdır; şifreler yalnızca\n"
    "                                      -s (--show-secrets) ile gösterilir\n"
    "  quilor-cli export DOSYA             bütün kayıtları dosyadaki sırayla JSON yazar\n"
    "  quilor-cli import [--force | --merge] DOSYA KAYITLAR.json\n"
    "                                      KAYITLAR.json'daki kayıtlardan yeni bir veri\n"
    "                                      dosyası yazar; --merge ile var olan DOSYA'ya\n"
    "                                      ekler\n"
    "  quilor-cli export-csv DOSYA         kayıtları CSV olarak yazar (Group, Title,\n"
    "                                      Username, Password, URL, Notes; UTF-8)\n"
    "  quilor-cli import-csv [--force | --merge] [--truncate] [--join-lines]\n"
    "             DOSYA KAYITLAR.csv       başka bir şifre yöneticisinin CSV dışa\n"
    "                                      aktarımından yeni bir veri dosyası yazar ya da\n"
    "                                      --merge ile var olan DOSYA'ya ekler; sütunlar\n"
    "                                      başlıklarından tanınır (Created ve Last\n"
    "                                      Modified tarih olarak alınır), alanına\n"
    "                                      sığmayan değerler listelenip reddedilir,\n"
    "                                      --truncate ile kısaltılıp listelenir;\n"
    "                                      çok satırlı değerler --join-lines ile\n"
    "                                      satırları \" / \" ile birleştirilerek alınır\n"
    "  quilor-cli merge DOSYA DİĞER        DİĞER veri dosyasındaki (örneğin bir eşitleme\n"
    "                                      programının bıraktığı çakışma kopyası)\n"
    "                                      kayıtları kayıt numarasına göre DOSYA'ya\n"
    "                                      katar: yalnızca DİĞER'de olan eklenir, aynı\n"
    "                                      olan bir kez kalır, farklı olanın DİĞER'deki\n"
    "                                      hâli tanımının sonuna \" (çakışma)\" eklenerek\n"
    "                                      yanına konur ve listelenir\n"
    "  quilor-cli health DOSYA             şifresi boş, zayıf, başka kayıtlarla ortak ya da\n"
    "                                      365 günden eski kayıtları, en kötüsü önce,\n"
    "                                      bulgu başına bir satır listeler (tanım, grup,\n"
    "                                      bulgu; sekmeyle ayrılmış); toplamları standart\n"
    "                                      hataya yazar; hiçbir şifreyi göstermez\n"
    "  quilor-cli --help                   bu yardımı gösterir\n"
    "\n"
    "Ana şifre terminalden, ekranda gösterilmeden okunur. Standart girdi bir terminal\n"
    "değilse ana şifre girdinin ilk satırıdır.\n"
    "ls, show, export, export-csv ve health veri dosyasına hiçbir şey yazmaz,\n"
    "kopyasını da çıkarmaz. import ve import-csv var olan bir dosyanın üzerine\n"
    "yalnızca --force ile yazar. --merge ve merge ana şifreyi bir kez sorar, bir şey\n"
    "yazmadan önce dosyayla sınar; eklenen her kayıt yeni bir kayıt numarası alır;\n"
    "tanımı, kullanıcı adı, şifresi ve web adresi aynı bir kayıt zaten varsa atlanır\n"
    "ve listelenir. Terminale yazılırken dosyadaki denetim karakterleri \\x1b gibi "
    "kaçışlarla\n"
    "gösterilir.\n"
    "\n"
    "JSON biçimi: bir dizi, her kayıt için ALAN1..ALAN20 anahtarlı bir nesne. Metin\n"
    "alanları dizgi, tarih ve saat alanları 30.12.1899'dan bu yana gün sayısı, ALAN17\n"
    "true/false, boş alan null. Veri dosyası boş metni null'dan ayırmaz.\n"
    "\n"
    "Çıkış kodları:\n"
    "  0   başarılı\n"
    "  1   show: bu tanımla bir kayıt yok ya da birden çok kayıt var; health: en az\n"
    "      bir bulgu var; ya da\n"
    "      beklenmedik bir hata\n"
    "  2   bir dosya yok, düzenli bir dosya değil, 64 MB'tan büyük, okunamıyor ya da\n"
    "      yazılamıyor; import, import-csv: DOSYA zaten var\n"
    "  3   ana şifre geçersiz\n"
    "  4   ana şifre boş ya da kullanılamıyor, JSON ya da CSV hatalı, bir değer\n"
    "      alanına sığmıyor\n"
    "  5   import, import-csv, merge: DOSYA şu anda Quilor programında açık\n"
    "  64  kullanım hatası\n";

// import --merge, import-csv --merge, merge.
inline constexpr const char* kMergeOrForce =
    "--merge ile --force birlikte verilemez: --merge ekler, --force yerine yazar";
inline constexpr const char* kAddedAfter = " kayıt eklendi";
inline constexpr const char* kNothingAdded = "eklenecek yeni kayıt yok; dosya değiştirilmedi";
inline constexpr const char* kDuplicateSkipped =
    "atlandı, tanımı, kullanıcı adı, şifresi ve web adresi aynı bir kayıt zaten var: ";
inline constexpr const char* kChangedMeanwhile =
    "dosya okunduktan sonra başka bir yerde değişti; hiçbir şey yazılmadı, yeniden deneyin";
inline constexpr const char* kTakenInChangesFromElsewhere =
    "dosya okunduktan sonra başka bir yerde değişti; o değişiklikler korundu ve kayıtlar "
    "onlarla birlikte yazıldı";
inline constexpr const char* kOtherWrongPassword =
    "bu dosya aynı ana şifreyle açılmıyor; hiçbir şey yazılmadı";
inline constexpr const char* kConflictMark = " (çakışma)";
inline constexpr const char* kMergeSame = " kayıt iki dosyada da aynı";
inline constexpr const char* kMergeConflict = "iki dosyada farklı, ikisi de tutuldu: ";
inline constexpr const char* kMergeConflictCopy = " ve ";
inline constexpr const char* kMergeDone = "birleştirildi; artık silinebilir: ";

// Usage errors.
inline constexpr const char* kUsageHint = "; yardım için: quilor-cli --help";
inline constexpr const char* kNoCommand = "komut eksik";
inline constexpr const char* kUnknownCommand = "bilinmeyen komut: ";
inline constexpr const char* kUnknownOption = "bilinmeyen seçenek: ";
inline constexpr const char* kArgumentCount = "yanlış sayıda argüman: ";

// Master password.
inline constexpr const char* kPrompt = "Ana şifre: ";
inline constexpr const char* kPromptAgain = "Ana şifre (tekrar): ";
inline constexpr const char* kPasswordEmpty = "ana şifre boş olamaz";
inline constexpr const char* kPasswordsDiffer = "girilen iki ana şifre aynı değil";
inline constexpr const char* kPasswordUnreadable = "ana şifre okunamadı";
// A secret's character is never shown, only where it stands.
inline constexpr const char* kPasswordUnmappableBefore = "ana şifrenin ";
inline constexpr const char* kUnmappableAfter = ". karakteri kullanılamaz (Windows-1254'te yok)";

// Files.
inline constexpr const char* kFileMissing = "dosya yok";
inline constexpr const char* kFileUnreadable = "okunamıyor";
inline constexpr const char* kFileUnwritable = "yazılamıyor";
inline constexpr const char* kFileExists = "dosya zaten var; üzerine yazmak için --force verin";
inline constexpr const char* kDataFileInUse =
    "veri dosyası şu anda Quilor programında açık; programı kapatıp yeniden deneyin";
inline constexpr const char* kNotRegularFile = "bir dosya değil";
inline constexpr const char* kInterrupted = "yarıda kesildi; dosya yazılmadı";
inline constexpr const char* kStdoutUnwritable = "standart çıktı yazılamıyor";

// show.
inline constexpr const char* kNoSuchTitle = "bu tanımla bir kayıt yok: ";
inline constexpr const char* kSeveralTitles =
    "bu tanıma birden çok kayıt uyuyor; birini kayıt numarasıyla seçin: ";
inline constexpr const char* kSecretHidden = "(gizli; göstermek için --show-secrets)";

// JSON syntax.
inline constexpr const char* kJsonError = "JSON hatası: ";
inline constexpr const char* kJsonEnd = "beklenmedik dosya sonu";
inline constexpr const char* kJsonTrailing = "JSON değerinden sonra fazladan içerik var";
inline constexpr const char* kJsonUnexpected = "beklenmedik karakter";
inline constexpr const char* kJsonTooDeep = "iç içe yapı çok derin";
inline constexpr const char* kJsonArraySeparator = "',' ya da ']' bekleniyordu";
inline constexpr const char* kJsonObjectSeparator = "',' ya da '}' bekleniyordu";
inline constexpr const char* kJsonKeyExpected = "tırnak içinde bir anahtar bekleniyordu";
inline constexpr const char* kJsonDuplicateKey = "bu anahtar nesnede ikinci kez geçiyor";
inline constexpr const char* kJsonColon = "':' bekleniyordu";
inline constexpr const char* kJsonBadEscape = "geçersiz kaçış dizisi";
inline constexpr const char* kJsonLoneSurrogate = "eşi olmayan UTF-16 vekil kodu";
inline constexpr const char* kJsonBadUtf8 = "geçersiz UTF-8";
inline constexpr const char* kJsonControlInString = "dizgide kaçışsız denetim karakteri";
inline constexpr const char* kJsonBadNumber = "geçersiz sayı";
inline constexpr const char* kJsonNumberRange = "sayı çok büyük";

// Records read from JSON.
inline constexpr const char* kNotAnArray = "kayıtların dizisi bekleniyordu";
inline constexpr const char* kNoRecords =
    "hiç kayıt yok; kayıtsız bir veri dosyası olmaz, bu yüzden dosya yazılmadı";
inline constexpr const char* kNotAnObject = "her kayıt ALAN1..ALAN20 anahtarlı bir nesne olmalı";
inline constexpr const char* kUnknownKey = "bilinmeyen anahtar (ALAN1..ALAN20 beklenir): ";
inline constexpr const char* kRecord = "kayıt ";
inline constexpr const char* kTooManyRecordsBefore = "en fazla ";
inline constexpr const char* kTooManyRecordsAfter =
    " kayıt alınır; daha fazlası okunabilen bir veri dosyasına (64 MB) sığmaz";
inline constexpr const char* kExpectText = "bir dizgi ya da null olmalı";
inline constexpr const char* kExpectDate =
    "30.12.1899'dan bu yana tam gün sayısı (01.01.0001..31.12.9999) ya da null olmalı";
inline constexpr const char* kExpectTime = "0 ile 1 arasında bir gün kesri ya da null olmalı";
inline constexpr const char* kExpectBoolean = "true, false ya da null olmalı";
inline constexpr const char* kTooLongBefore = "en çok ";
inline constexpr const char* kTooLongMiddle = " bayt alır, bu değer Windows-1254'te ";
inline constexpr const char* kTooLongAfter = " bayt";
inline constexpr const char* kUnmappable = "şu karakter Windows-1254'te yok: ";
inline constexpr const char* kSecretUnmappableBefore = "değerin ";
inline constexpr const char* kLineBreak = "satır sonu içeremez (veri dosyası satır satır okunur)";
inline constexpr const char* kZeroCharacter = "NUL (U+0000) karakteri içeremez";
inline constexpr const char* kNotReadBack =
    "veri dosyası bu değeri olduğu gibi geri vermiyor (baştaki ve sondaki boşluklar ile "
    "değeri saran tırnaklar kaybolur)";

// show: captions of the fields, as the program names them.
inline constexpr const char* kCaptionRecordNo = "Kayıt No";
inline constexpr const char* kCaptionTitle = "Tanımı";
inline constexpr const char* kCaptionGroup = "Grubu";
inline constexpr const char* kCaptionDescription = "Açıklama";
inline constexpr const char* kCaptionWebAddress = "Web / Mail Adresi";
inline constexpr const char* kCaptionSpecialCode1 = "Özel Kodu 1";
inline constexpr const char* kCaptionSpecialCode2 = "Özel Kodu 2";
inline constexpr const char* kCaptionUserName = "Kullanıcı Adı";
inline constexpr const char* kCaptionPassword = "Şifre";
inline constexpr const char* kCaptionPassword2 = "Şifre 2";
inline constexpr const char* kCaptionScript = "Script";
inline constexpr const char* kCaptionTray = "Sistem tepsisi";
inline constexpr const char* kCaptionRecordDate = "Kayıt Tarihi";
inline constexpr const char* kCaptionPasswordChanged = "Şifre 1 Değiştirme";
inline constexpr const char* kCaptionPassword2Changed = "Şifre 2 Değiştirme";
inline constexpr const char* kYes = "Evet";
inline constexpr const char* kNo = "Hayır";

}  // namespace quilor::cli::text
