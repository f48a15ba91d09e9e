#include "core/layout_profile.h"

#include <cstdlib>
#include <limits>
#include <nlohmann/json.hpp>
#include <vector>

#include "core/dos_text.h"
#include "core/encoding.h"
#include "core/platform/system.h"
#include "core/text_rules.h"

namespace tablamo {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kVersionKey = "version";
constexpr std::string_view kFingerprintKey = "fingerprint";
constexpr std::string_view kLayoutKey = "layout";
constexpr std::string_view kCleanTableKey = "cleanTable";
constexpr std::string_view kTopKeys[] = {kVersionKey, kFingerprintKey, kLayoutKey, kCleanTableKey};

// A value as the message quotes it, shortened so that a huge value keeps the line short.
std::string shown(const Json& value) {
    std::string text = value.dump();
    constexpr std::size_t kMost = 40;
    if (text.size() > kMost) {
        std::size_t cut = kMost;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
        text = text.substr(0, cut) + "…";
    }
    return text;
}

// "3. satır, 19. sütunda " from the library's "… at line 3, column 19: …"; "" without them.
std::string syntaxErrorPlace(const std::string& what) {
    const auto number = [&](std::string_view label) {
        std::size_t at = what.find(label);
        if (at == std::string::npos) return std::string();
        at += label.size();
        std::size_t end = at;
        while (end < what.size() && what[end] >= '0' && what[end] <= '9') ++end;
        return what.substr(at, end - at);
    };
    const std::string line = number("at line ");
    const std::string column = number(", column ");
    if (line.empty() || column.empty()) return {};
    return line + ". satır, " + column + ". sütunda ";
}

// Reads one profile document; every failure names the file and the key.
class ProfileReader {
public:
    explicit ProfileReader(std::string_view fileName) : m_file(fileName) {}

    [[noreturn]] void fail(std::string_view what) const {
        throw ProfileError("Düzen dosyası \"" + m_file + "\": " + std::string(what));
    }
    [[noreturn]] void failKey(std::string_view key, std::string_view what) const {
        fail("\"" + std::string(key) + "\"" + std::string(what));
    }

    // The object's keys are exactly `keys`: the first unknown one, else the first missing.
    template <class Keys>
    void checkKeys(const Json& object, const Keys& keys, std::string_view prefix) const {
        const auto path = [&](std::string_view key) {
            return std::string(prefix) + std::string(key);
        };
        for (const auto& item : object.items()) {
            bool known = false;
            for (std::string_view k : keys) known = known || item.key() == k;
            if (!known) failKey(path(item.key()), " bir düzen dosyası anahtarı değil");
        }
        for (std::string_view k : keys) {
            if (!object.contains(k)) failKey(path(k), " eksik");
        }
    }

    std::int32_t wholeNumber(const Json& value, std::string_view key) const {
        if (!value.is_number_integer()) failKey(key, ": " + shown(value) + " bir tam sayı değil");
        constexpr auto kLeast = std::numeric_limits<std::int32_t>::min();
        constexpr auto kMost = std::numeric_limits<std::int32_t>::max();
        const bool fits =
            value.is_number_unsigned()
                ? value.get<std::uint64_t>() <= static_cast<std::uint64_t>(kMost)
                : value.get<std::int64_t>() >= kLeast && value.get<std::int64_t>() <= kMost;
        if (!fits) failKey(key, ": " + shown(value) + " izin verilen aralığın dışında");
        return static_cast<std::int32_t>(value.get<std::int64_t>());
    }

    std::string heldText(const Json& value, std::string_view key) const {
        if (!value.is_string()) failKey(key, ": metin olmalı; " + shown(value) + " verilmiş");
        const auto text = utf8ToWin1254(value.get_ref<const std::string&>());
        if (!text)
            failKey(key, ": " + shown(value) + " Windows-1254'te olmayan bir karakter içeriyor");
        return *text;
    }

    bool check(const Json& value, std::string_view key) const {
        if (!value.is_boolean())
            failKey(key, ": true ya da false olmalı; " + shown(value) + " verilmiş");
        return value.get<bool>();
    }

    void readLayout(const Json& object, ReportLayout& layout) const {
        const std::string prefix = std::string(kLayoutKey) + ".";
        if (!object.is_object())
            failKey(kLayoutKey, ": nesne olmalı; " + shown(object) + " verilmiş");
        std::vector<std::string_view> names;
        for (const LayoutField& f : layoutFields()) names.push_back(f.name);
        checkKeys(object, names, prefix);
        for (const LayoutField& f : layoutFields()) {
            const std::string key = prefix + std::string(f.name);
            const Json& value = object.at(f.name);
            switch (f.kind) {
                case LayoutField::Kind::Integer: {
                    const std::int32_t n = wholeNumber(value, key);
                    layout.*f.text = std::to_string(n);
                    break;
                }
                case LayoutField::Kind::Text:
                    layout.*f.text = heldText(value, key);
                    break;
                case LayoutField::Kind::Check:
                    layout.*f.check = check(value, key);
                    break;
                case LayoutField::Kind::Widths:
                    if (!value.is_array() || value.size() != ReportLayout::kWidthCount) {
                        failKey(key, ": 20 tam sayı olmalı; " + shown(value) + " verilmiş");
                    }
                    for (int k = 1; k <= ReportLayout::kWidthCount; ++k) {
                        const std::string item = key + "[" + std::to_string(k - 1) + "]";
                        layout.setColumnWidth(
                            k, wholeNumber(value[static_cast<std::size_t>(k - 1)], item));
                    }
                    break;
            }
        }
    }

private:
    std::string m_file;
};

}  // namespace

std::string profileToJson(const LayoutProfile& profile) {
    Json layout = Json::object();
    for (const LayoutField& f : layoutFields()) {
        const std::string name(f.name);
        switch (f.kind) {
            case LayoutField::Kind::Integer:
                layout[name] = StrToInt(profile.layout.*f.text);
                break;
            case LayoutField::Kind::Text:
                layout[name] = win1254ToUtf8(profile.layout.*f.text);
                break;
            case LayoutField::Kind::Check:
                layout[name] = profile.layout.*f.check;
                break;
            case LayoutField::Kind::Widths:
                layout[name] = profile.layout.columnWidths();
                break;
        }
    }
    Json doc = Json::object();
    doc[std::string(kVersionKey)] = LayoutProfile::kFormatVersion;
    doc[std::string(kFingerprintKey)] = win1254ToUtf8(profile.fingerprint);
    doc[std::string(kLayoutKey)] = std::move(layout);
    doc[std::string(kCleanTableKey)] = profile.cleanTable;
    // The twenty widths on one line, as a reader sets them side by side.
    std::string text = doc.dump(2);
    // (A quote inside a text is escaped, so only the key itself reads '"ColumnWidths": ['.)
    constexpr std::string_view kWidthsKey = "\"ColumnWidths\": [";
    const std::size_t open = text.find(kWidthsKey) + kWidthsKey.size() - 1;
    const std::size_t close = text.find(']', open);
    std::string widths;
    for (std::size_t i = open + 1; i < close; ++i) {
        if (text[i] == ',') {
            widths += ", ";
        } else if (text[i] != ' ' && text[i] != '\n') {
            widths += text[i];
        }
    }
    text.replace(open + 1, close - open - 1, widths);
    return text + "\n";
}

LayoutProfile profileFromJson(std::string_view json, std::string_view fileName) {
    const ProfileReader reader(fileName);
    Json doc;
    try {
        doc = Json::parse(json.begin(), json.end());
    } catch (const Json::parse_error& e) {
        reader.fail("JSON değil: " + syntaxErrorPlace(e.what()) + "yazım hatası");
    } catch (const Json::exception& e) {  // a number past a double's range
        // The number stands quoted at the end of the library's text.
        const std::string what = e.what();
        const std::size_t open = what.find('\'');
        const std::size_t close = what.rfind('\'');
        reader.fail(open < close
                        ? "JSON değil: " + what.substr(open, close - open + 1) + " sayısı çok büyük"
                        : std::string("JSON değil"));
    }
    if (!doc.is_object()) reader.fail("düzen dosyası değil: bir JSON nesnesi yok");
    // The version first: a later format may have other keys.
    if (!doc.contains(kVersionKey)) reader.failKey(kVersionKey, " eksik");
    const Json& version = doc.at(kVersionKey);
    if (!version.is_number_integer() ||
        version.get<std::int64_t>() != LayoutProfile::kFormatVersion) {
        reader.failKey(kVersionKey, ": " + shown(version) +
                                        " bu programın okuduğu bir sürüm değil (" +
                                        std::to_string(LayoutProfile::kFormatVersion) + ")");
    }
    reader.checkKeys(doc, kTopKeys, "");
    LayoutProfile profile;
    profile.fingerprint = reader.heldText(doc.at(kFingerprintKey), kFingerprintKey);
    reader.readLayout(doc.at(kLayoutKey), profile.layout);
    profile.cleanTable = reader.check(doc.at(kCleanTableKey), kCleanTableKey);
    return profile;
}

std::string headingFingerprint(std::string_view dosLine) {
    const std::string text = DosToWinText(dosLine);
    std::string out;
    out.reserve(text.size());
    for (const char c : TrimControl(text)) {
        if (static_cast<unsigned char>(c) <= 0x20) {
            if (out.back() != ' ') out += ' ';  // never first: the text is trimmed
        } else {
            out += c;
        }
    }
    return out;
}

std::string profilesFolder() { return platform::userConfigFolder() + "/tablamo/profiles"; }

std::string profileName(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (endsWithNoCase(name, ".json")) name.remove_suffix(5);
    return std::string(name);
}

}  // namespace tablamo
