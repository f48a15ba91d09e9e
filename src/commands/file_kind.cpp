#include "commands/file_kind.h"

#include <algorithm>

namespace tablamo {
namespace {

using namespace std::string_view_literals;

constexpr const char* kPrintToFile =
    "Tablamo, DOS muhasebe programlarının dosyaya yazdırdığı metin raporlarını okur: raporu "
    "DOS programından dosyaya yazdırın (.txt ya da .not) ve o dosyayı açın.";

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

// A text in UTF-16: a byte-order mark, or a zero byte in every other place of its first
// letters (ASCII letters take one byte and a zero).
bool looksUtf16(std::string_view bytes) {
    if (startsWith(bytes, "\xFF\xFE") || startsWith(bytes, "\xFE\xFF")) return true;
    const std::size_t n = std::min<std::size_t>(bytes.size(), 512) & ~std::size_t{1};
    if (n < 16) return false;
    std::size_t zeros[2] = {0, 0};
    for (std::size_t i = 0; i < n; ++i) zeros[i % 2] += bytes[i] == '\0';
    const std::size_t half = n / 2;
    return (zeros[0] * 10 >= half * 9 && zeros[1] * 10 < half) ||
           (zeros[1] * 10 >= half * 9 && zeros[0] * 10 < half);
}

// What the first bytes say the file is; empty when they do not.
std::string kindOf(std::string_view bytes) {
    const std::string_view head = bytes.substr(0, 4096);
    if (startsWith(bytes, "%PDF-")) return "Bu dosya bir PDF belgesi.";
    if (startsWith(bytes, "PK\x03\x04")) {
        if (head.find("xl/") != std::string_view::npos)
            return "Bu dosya bir Excel çalışma kitabı (.xlsx): zaten bir tablo; Excel ya da "
                   "LibreOffice ile açılır.";
        if (head.find("word/") != std::string_view::npos)
            return "Bu dosya bir Word belgesi (.docx).";
        return "Bu dosya bir zip arşivi: içindeki raporu bir klasöre çıkarıp onu açın.";
    }
    if (startsWith(bytes, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return "Bu dosya eski biçimde bir Excel ya da Word belgesi (.xls, .doc).";
    if (startsWith(bytes, "\x89PNG")) return "Bu dosya bir resim (PNG).";
    if (startsWith(bytes, "\xFF\xD8\xFF")) return "Bu dosya bir resim (JPEG).";
    if (startsWith(bytes, "GIF8")) return "Bu dosya bir resim (GIF).";
    if (startsWith(bytes, "II*\0"sv) || startsWith(bytes, "MM\0*"sv))
        return "Bu dosya bir resim (TIFF): taranmış bir sayfa okunamaz.";
    // A bitmap's header: "BM", its size, four bytes of zeros.
    if (startsWith(bytes, "BM") && bytes.size() > 26 && bytes.substr(6, 4) == "\0\0\0\0"sv)
        return "Bu dosya bir resim (BMP).";
    if (startsWith(bytes, "{\\rtf")) return "Bu dosya bir RTF belgesi (WordPad ya da Word).";
    if (looksUtf16(bytes)) {
        return "Bu dosya UTF-16 (Unicode) olarak kaydedilmiş bir metin. Not Defteri'nde "
               "\"Farklı Kaydet\" ile Kodlama'yı \"UTF-8\" ya da \"ANSI\" seçip kaydedin ve "
               "yeniden açın.";
    }
    std::string lower;
    for (const char c : head.substr(0, 256))
        lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    if (lower.find("<html") != std::string::npos ||
        lower.find("<!doctype html") != std::string::npos)
        return "Bu dosya bir web sayfası (HTML).";
    return {};
}

}  // namespace

std::string notAReportHelp(std::string_view bytes) {
    const std::string kind = kindOf(bytes);
    if (kind.empty()) return {};
    // A text saved in UTF-16 is the report all the same: saved again, it opens.
    if (looksUtf16(bytes)) return kind;
    return kind + "\r\n" + kPrintToFile;
}

std::string folderQuestion(const std::string& path) {
    return "\"" + path +
           "\" bir klasör, bir rapor dosyası değil.\r\nKlasördeki raporlar \"Birleştir…\" ile "
           "bir kitapta birleştirilsin mi? (her biçim kendi tablosunda, \"Özet\" sonda)";
}

}  // namespace tablamo
