#include "cli/options.h"

#include <cctype>
#include <charconv>
#include <cstdlib>

#include "cli/job.h"
#include "cli/locale_defaults.h"
#include "cli/option_values.h"
#include "commands/clean_switches.h"

namespace tablamo::cli {
namespace {

constexpr const char* kDateOrders[] = {"dmy", "mdy", "ymd"};
constexpr const char* kInputEncodings[] = {"auto", "cp857", "utf-8", "cp1254"};
constexpr const char* kEncodings[] = {"windows-1254", "utf-8"};

// -j: a whole number of at least 1.
int jobCount(const std::string& value) {
    int n = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (ec != std::errc() || end != value.data() + value.size() || n < 1) {
        throw UsageError("--jobs: '" + value + "' bir dosya sayısı değil (1 veya daha fazla)");
    }
    return n;
}

// A separator that cannot stand apart from what it separates: a double quote would open a
// quoted field, CR and LF would end the row.
char separator(const std::string& option, const std::string& value, const char* what) {
    const char c = oneCharacter(option, value);
    if (c == '"' || c == '\r' || c == '\n') {
        throw UsageError(option + ": çift tırnak, CR veya LF " + what + " olamaz");
    }
    return c;
}

// A switch the window offers as well: its name and help are the shared declaration's.
constexpr OptionDecl switchOption(CleanSwitch which, bool cleanOnly,
                                  void (*set)(Job&, const std::string&)) {
    const CleanSwitchDecl& decl = cleanSwitch(which);
    return {decl.option, "", decl.help, decl.helpTr, {}, cleanOnly, false, {}, set};
}

const OptionDecl kOptions[] = {
    {"--to", "TEXT", "output format; default: from --output's extension, else csv",
     "çıktı biçimi; varsayılan: --output'un uzantısından, yoksa csv", kFormatChoices, false, true},
    {"-o,--output",
     "PATH",
     "one input: the output file (.xls is written as .xlsx), or an\n"
     "existing folder to write into; several inputs or a folder: an\n"
     "existing folder.\n"
     "default: beside each input, its extension replaced by the format's",
     "tek girdide çıktı dosyası (.xls, .xlsx olarak yazılır) ya da içine\n"
     "yazılacak var olan bir klasör; birden çok girdide ya da bir klasörde\n"
     "var olan bir klasör.\n"
     "varsayılan: her girdinin yanında, uzantısı biçiminkiyle değişmiş",
     {},
     false,
     true},
    {"--akbank",
     "",
     "read the inputs as Akbank statements",
     "girdileri Akbank hesap ekstresi olarak okur",
     {},
     false,
     false,
     {},
     [](Job& j, const std::string&) { j.akbank = true; }},
    {"--decimal-separator",
     "C",
     "decimal separator of the number conversions; default: the\n"
     "user's regional settings (Windows), else the decimal point of the\n"
     "locale LC_ALL, LC_NUMERIC or LANG names, as the window takes it\n"
     "from its locale data (\".\" for C)",
     "sayı çevirilerinin ondalık ayırıcısı; varsayılan: kullanıcının bölge\n"
     "ayarları (Windows), değilse LC_ALL, LC_NUMERIC ya da LANG'ın\n"
     "adlandırdığı yerel ayarın ondalık işareti, pencerenin aldığı gibi\n"
     "(C için \".\")",
     {},
     false,
     false,
     {},
     [](Job& j, const std::string& v) {
         j.regional.decimalSeparator = separator("--decimal-separator", v, "ondalık ayırıcı");
     }},
    {"--date-separator",
     "C",
     "date separator the workbook's dates are read and shown with;\n"
     "default: that of the short date format of the user's regional\n"
     "settings (Windows), else of the locale LC_ALL, LC_TIME or LANG\n"
     "names, as the window takes it (\"/\" for C)",
     "çalışma kitabındaki tarihlerin ayırıcısı; varsayılan: kullanıcının\n"
     "bölge ayarlarının (Windows), değilse LC_ALL, LC_TIME ya da LANG'ın\n"
     "adlandırdığı yerel ayarın kısa tarih biçimindeki ayırıcı (C için \"/\")",
     {},
     false,
     false,
     {},
     [](Job& j, const std::string& v) {
         j.regional.dateSeparator = oneCharacter("--date-separator", v);
     }},
    {"--date-order",
     "TEXT",
     "order of day, month and year in the workbook's dates; default:\n"
     "likewise from the short date format (dmy for C)",
     "çalışma kitabındaki tarihlerde gün, ay ve yılın sırası; varsayılan:\n"
     "aynı şekilde kısa tarih biçiminden (C için dmy)",
     kDateOrders,
     false,
     true,
     {},
     [](Job& j, const std::string& v) {
         const std::string order = lower(v);
         j.regional.dateOrder = order == "mdy"   ? DateOrder::MonthDayYear
                                : order == "ymd" ? DateOrder::YearMonthDay
                                                 : DateOrder::DayMonthYear;
     }},
    {"--start-row",
     "N",
     "the first report line read, counted from 0 (StartRow; default 1:\n"
     "the report's first line is left out)",
     "okunan ilk rapor satırı, 0'dan sayarak (StartRow; varsayılan 1: raporun\n"
     "ilk satırı alınmaz)",
     {},
     false,
     false,
     "StartRow"},
    {"--start-column",
     "N",
     "the table row the first line read goes to (StartColumn; default 1)",
     "okunan ilk satırın gittiği tablo satırı (StartColumn; varsayılan 1)",
     {},
     false,
     false,
     "StartColumn"},
    {"--widths",
     "W1,W2,...",
     "column widths 1..k in characters (k <= 20); the others keep their\n"
     "defaults (ColumnWidths)",
     "1'den k'ya kadar sütunların karakter olarak genişlikleri (k <= 20);\n"
     "diğerleri varsayılanlarını korur (ColumnWidths)",
     {},
     false,
     false,
     "ColumnWidths"},
    {"--no-auto-columns",
     "",
     "cut with the widths as given, without finding the columns in the\n"
     "report's rule or frame line (AutoColumnSearch off)",
     "sütunları raporun çizgisinde ya da çerçevesinde aramadan, verilen\n"
     "genişliklerle böler (AutoColumnSearch kapalı)",
     {},
     false,
     false,
     "AutoColumnSearch"},
    {"--no-ledger-marks",
     "",
     "the rule line's last column is not shortened by one for a B/A\n"
     "column (LedgerMarks off)",
     "çizginin son sütunu bir B/A sütunu için bir kısaltılmaz\n"
     "(LedgerMarks kapalı)",
     {},
     false,
     false,
     "LedgerMarks"},
    {"--search-criterion",
     "T",
     "the text that marks a report's rule line (default ten hyphens;\n"
     "SearchCriterion); texts are given in UTF-8 and held in Windows-1254,\n"
     "so a frame's DOS bytes are typed as Windows-1254 shows them",
     "raporun çizgi satırını gösteren metin (varsayılan on tire;\n"
     "SearchCriterion); metinler UTF-8 verilir, Windows-1254 tutulur",
     {},
     false,
     false,
     "SearchCriterion"},
    {"--field-separator",
     "T",
     "what stands between the rule line's runs (default one blank)",
     "çizginin parçaları arasında duran (varsayılan bir boşluk)",
     {},
     false,
     false,
     "FieldSeparator"},
    {"--frame-criterion",
     "T",
     "the text that marks a box frame's top line (default twelve \"\xC3\x8D\",\n"
     "the DOS double rule)",
     "bir çerçevenin üst çizgisini gösteren metin (varsayılan on iki \"\xC3\x8D\",\n"
     "DOS'un çift çizgisi)",
     {},
     false,
     false,
     "FrameCriterion"},
    {"--frame-separator",
     "T",
     "the tee where a column line meets the frame's top line (default\n"
     "\"\xC3\x91\")",
     "bir sütun çizgisinin çerçevenin üst çizgisine kavuştuğu yer\n"
     "(varsayılan \"\xC3\x91\")",
     {},
     false,
     false,
     "FrameSeparator"},
    {"--profile",
     "FILE",
     "a layout profile (JSON) every input starts from; the layout options\n"
     "given as well override it",
     "her girdinin başladığı düzen profili (JSON); ayrıca verilen düzen\n"
     "seçenekleri onu geçersiz kılar",
     {},
     false,
     true},
    {"--save-profile",
     "FILE",
     "one input: writes the layout its import used (the widths after the\n"
     "column detection) and its heading line as a layout profile",
     "tek girdiyle: aktarmanın kullandığı düzeni (sütun aramasından sonraki\n"
     "genişlikler) ve başlık satırını bir düzen profili olarak yazar",
     {},
     false,
     true},
    {"--input-encoding",
     "TEXT",
     "how the inputs are read (default auto: as UTF-8 when valid UTF-8\n"
     "with letters beyond ASCII, as Windows-1254 when its Turkish letters\n"
     "stand in the words, else as code page 857)",
     "girdilerin nasıl okunacağı (varsayılan auto: ASCII dışında harf taşıyan\n"
     "geçerli UTF-8 ise UTF-8, Türkçe harfleri sözcüklerde duruyorsa\n"
     "Windows-1254, değilse kod sayfası 857)",
     kInputEncodings,
     false,
     true,
     {},
     [](Job& j, const std::string& v) {
         const std::string as = lower(v);
         j.inputEncoding = as == "cp857"    ? InputEncoding::Cp857
                           : as == "utf-8"  ? InputEncoding::Utf8
                           : as == "cp1254" ? InputEncoding::Cp1254
                                            : InputEncoding::Auto;
     }},
    {"--encoding",
     "TEXT",
     "text encoding of CSV and HTML output (default windows-1254, as the\n"
     "window saves; utf-8 CSV starts with a byte-order mark)",
     "CSV ve HTML çıktısının metin kodlaması (varsayılan windows-1254,\n"
     "pencerenin kaydettiği gibi; UTF-8 CSV bayt sırası işaretiyle başlar)",
     kEncodings,
     false,
     true,
     {},
     [](Job& j, const std::string& v) {
         j.encoding = lower(v) == "utf-8" ? TextEncoding::Utf8 : TextEncoding::Windows1254;
     }},
    {"-j,--jobs",
     "N",
     "how many inputs are converted at once; default: the number of\n"
     "cores (-j 1: one after the other)",
     "aynı anda kaç girdi çevrilir; varsayılan: çekirdek sayısı\n"
     "(-j 1: birbiri ardınca)",
     {},
     false,
     false,
     {},
     [](Job& j, const std::string& v) { j.jobs = jobCount(v); }},
    {"--summary",
     "FILE",
     "also write FILE: JSON Lines, one object per input (input, output,\n"
     "status, rows, warnings, message, seconds)",
     "ayrıca DOSYA'yı yazar: JSON Lines, her girdi için bir nesne (girdi,\n"
     "çıktı, durum, satırlar, uyarılar, ileti, saniye)",
     {},
     false,
     true,
     {},
     [](Job& j, const std::string& v) { j.summary = v; }},
    switchOption(CleanSwitch::CleanTable, false, nullptr),
    {"--line-numbers",
     "",
     "with --clean: a last column \"Satır\", the report line of each record",
     "--clean ile: son sütun \"Satır\", her kaydın rapor satırı",
     {},
     true,
     false,
     {},
     [](Job& j, const std::string&) { j.lineNumbers = true; }},
    {"--strict",
     "",
     "with --clean: exit status 1 when a printed total disagrees or a line\n"
     "could not be placed",
     "--clean ile: yazılı bir toplam tutmadığında ya da bir satır\n"
     "yerleştirilemediğinde çıkış durumu 1",
     {},
     true,
     false,
     {},
     [](Job& j, const std::string&) { j.strict = true; }},
    switchOption(CleanSwitch::SignedBalance, true,
                 [](Job& j, const std::string&) { j.signedBalance = true; }),
    switchOption(CleanSwitch::Openings, true,
                 [](Job& j, const std::string&) { j.openings = true; }),
    {"--csv-separator",
     "C",
     "with --clean: the CSV field separator; default \";\" when the decimal\n"
     "separator is \",\", else \",\"",
     "--clean ile: CSV alan ayırıcısı; varsayılan ondalık ayırıcı \",\" ise\n"
     "\";\", değilse \",\"",
     {},
     true,
     false,
     {},
     [](Job& j, const std::string& v) {
         j.csvSeparator = separator("--csv-separator", v, "alan ayıracı");
     }},
    {"--merge",
     "FILE",
     "with --clean: every input's records into one workbook FILE: reports\n"
     "with the same headings on one sheet, a first column \"Kaynak\" naming\n"
     "the report, reports of another shape on sheets of their own, a last\n"
     "sheet \"Özet\" listing every input; CSV and HTML: one file per sheet,\n"
     "named FILE's name, \"-\" and the sheet's",
     "--clean ile: bütün girdilerin kayıtları tek bir DOSYA'ya: başlıkları\n"
     "aynı raporlar bir sayfada, raporu adlandıran ilk sütun \"Kaynak\"\n"
     "altında, başka biçimdekiler kendi sayfalarında, son sayfa \"Özet\"\n"
     "her girdiyi listeler; CSV ve HTML: her sayfaya bir dosya, DOSYA'nın\n"
     "adı, \"-\" ve sayfanın adıyla",
     {},
     true,
     true},
    {"--sheet-per",
     "FIELD",
     "with --clean: one sheet per value of the column headed FIELD (such\n"
     "as a sub-ledger's account code), named by the value, with the\n"
     "group's totals; CSV and HTML: one file per sheet",
     "--clean ile: ALAN başlıklı sütunun her değerine bir sayfa (örneğin\n"
     "bir muavinin hesap kodu), değeriyle adlanmış, grubun toplamlarıyla;\n"
     "CSV ve HTML: her sayfaya bir dosya",
     {},
     true,
     true,
     {},
     [](Job& j, const std::string& v) { j.sheetPer = heldText("--sheet-per", v); }},
    {"-q,--quiet",
     "",
     "no progress, no per-file lines",
     "ilerleme ve dosya başına satır yok",
     {},
     false,
     false,
     {},
     [](Job& j, const std::string&) { j.quiet = true; }},
    // The reconciliation's: the job reads them together (reconcile_run.cpp).
    {"--reconcile", "",
     "reconcile an account: INPUT is our ledger, then the other side's\n"
     "statement; --output the workbook (sheets \"Mutabakat\", \"Eşleşenler\",\n"
     "\"Yalnız Defterde\", \"Yalnız Ekstrede\"; CSV or HTML: a file each);\n"
     "exit status 1 when the difference is not 0",
     "bir hesabı mutabık kılar: ilk girdi bizim defterimiz, ikincisi karşı\n"
     "tarafın ekstresi; --output çalışma kitabı (\"Mutabakat\", \"Eşleşenler\",\n"
     "\"Yalnız Defterde\", \"Yalnız Ekstrede\" sayfaları; CSV ya da HTML: her\n"
     "biri bir dosya); fark 0 değilse çıkış durumu 1"},
    {"--days", "N",
     "with --reconcile: the most calendar days between two records that\n"
     "may pair (default 5)",
     "--reconcile ile: eşleşebilecek iki kayıt arasındaki en çok takvim\n"
     "günü (varsayılan 5)"},
    {"--same-side", "", "with --reconcile: the statement's debit is our debit",
     "--reconcile ile: ekstrenin borcu bizim borcumuzdur"},
    {"--mirror", "", "with --reconcile: the statement's debit is our credit",
     "--reconcile ile: ekstrenin borcu bizim alacağımızdır"},
};

}  // namespace

std::span<const OptionDecl> optionDecls() { return kOptions; }

std::string longName(const OptionDecl& option) {
    const std::string all(option.names);
    const std::size_t comma = all.rfind(',');
    return comma == std::string::npos ? all : all.substr(comma + 1);
}

}  // namespace tablamo::cli
