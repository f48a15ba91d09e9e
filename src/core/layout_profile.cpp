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

// Reads one profile document; every failure names the file and the key.
class ProfileReader {
public:
    explicit ProfileReader(std::string_view fileName) : m_file(fileName) {}

    [[noreturn]] void fail(std::string_view what) const {
        throw ProfileError("Layout profile \"" + m_file + "\": " + std::string(what));
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
            if (!known) failKey(path(item.key()), " is not a key of a layout profile");
        }
        for (std::string_view k : keys) {
            if (!object.contains(k)) failKey(path(k), " is missing");
        }
    }

    std::int32_t wholeNumber(const Json& value, std::string_view key) const {
        if (!value.is_number_integer())
            failKey(key, ": " + shown(value) + " is not a whole number");
        constexpr auto kLeast = std::numeric_limits<std::int32_t>::min();
        constexpr auto kMost = std::numeric_limits<std::int32_t>::max();
        const bool fits =
            value.is_number_unsigned()
                ? value.get<std::uint64_t>() <= static_cast<std::uint64_t>(kMost)
                : value.get<std::int64_t>() >= kLeast && value.get<std::int64_t>() <= kMost;
        if (!fits) failKey(key, ": " + shown(value) + " is out of range");
        return static_cast<std::int32_t>(value.get<std::int64_t>());
    }

    std::string heldText(const Json& value, std::string_view key) const {
        if (!value.is_string()) failKey(key, ": a text is needed, not " + shown(value));
        const auto text = utf8ToWin1254(value.get_ref<const std::string&>());
        if (!text) failKey(key, ": " + shown(value) + " holds a character that Windows-1254 lacks");
        return *text;
    }

    bool check(const Json& value, std::string_view key) const {
        if (!value.is_boolean()) failKey(key, ": true or false is needed, not " + shown(value));
        return value.get<bool>();
    }

    void readLayout(const Json& object, ReportLayout& layout) const {
        const std::string prefix = std::string(kLayoutKey) + ".";
        if (!object.is_object()) failKey(kLayoutKey, ": an object is needed, not " + shown(object));
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
                        failKey(key, ": 20 whole numbers are needed, not " + shown(value));
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
    } catch (const Json::exception& e) {  // a syntax error, or a number past a double's range
        // The library's text without its "[json.exception.parse_error.101] " tag and the
        // bytes it read last, which need not be UTF-8.
        std::string reason = e.what();
        const std::size_t tag = reason.find("] ");
        if (tag != std::string::npos) reason.erase(0, tag + 2);
        const std::size_t lastRead = reason.find("; last read:");
        if (lastRead != std::string::npos) reason.erase(lastRead);
        reader.fail("not JSON: " + reason);
    }
    if (!doc.is_object()) reader.fail("not a layout profile: no JSON object");
    // The version first: a later format may have other keys.
    if (!doc.contains(kVersionKey)) reader.failKey(kVersionKey, " is missing");
    const Json& version = doc.at(kVersionKey);
    if (!version.is_number_integer() ||
        version.get<std::int64_t>() != LayoutProfile::kFormatVersion) {
        reader.failKey(kVersionKey, ": " + shown(version) +
                                        " is not a version this program reads (" +
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
