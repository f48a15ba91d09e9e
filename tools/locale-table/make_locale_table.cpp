// Writes the converter's locale table to stdout: for every locale name Qt's locale data
// know ("tr", "tr_TR", "sr_Latn", "sr_Latn_RS"), the regional settings the window takes
// from QLocale of that name. A name whose settings are those its shorter name gives
// (sr_Latn_RS -> sr_Latn -> sr, tr_TR -> tr, tr -> C) is left out: the converter's lookup
// falls back the same way.

#include <QCoreApplication>
#include <QLocale>
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include "app/locale_settings.h"

namespace {

using tablamo::DateOrder;
using tablamo::RegionalSettings;

bool same(const RegionalSettings& a, const RegionalSettings& b) {
    return a.decimalSeparator == b.decimalSeparator && a.dateSeparator == b.dateSeparator &&
           a.dateOrder == b.dateOrder;
}

const char* orderName(DateOrder order) {
    switch (order) {
        case DateOrder::MonthDayYear:
            return "MDY";
        case DateOrder::YearMonthDay:
            return "YMD";
        case DateOrder::DayMonthYear:
            break;
    }
    return "DMY";
}

std::string charLiteral(char c) {
    if (c == '\'' || c == '\\') return std::string("'\\") + c + "'";
    return std::string("'") + c + "'";
}

std::string entry(const std::string& name, const RegionalSettings& r) {
    return "{\"" + name + "\", " + charLiteral(r.decimalSeparator) + ", " +
           charLiteral(r.dateSeparator) + ", " + orderName(r.dateOrder) + "}";
}

// The name the lookup falls back to: one part fewer, the territory first.
std::string parentOf(const std::string& name) {
    const std::size_t last = name.rfind('_');
    return last == std::string::npos ? "C" : name.substr(0, last);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::map<std::string, RegionalSettings> all;
    for (const QLocale& l : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                     QLocale::AnyTerritory)) {
        if (l.language() == QLocale::C) continue;
        const QString lang = QLocale::languageToCode(l.language());
        const QString script = QLocale::scriptToCode(l.script());
        const QString land = QLocale::territoryToCode(l.territory());
        for (const QString& name :
             {lang, lang + '_' + land, lang + '_' + script, lang + '_' + script + '_' + land}) {
            all[name.toStdString()] = tablamo::app::regionalFromLocale(QLocale(name));
        }
    }
    // What each name resolves to once the left-out names fall back; shorter names first.
    std::map<std::string, RegionalSettings> resolved{
        {"C", tablamo::app::regionalFromLocale(QLocale::c())}};
    std::map<std::string, RegionalSettings> kept;
    for (int parts = 1; parts <= 3; ++parts) {
        for (const auto& [name, regional] : all) {
            if (1 + std::count(name.begin(), name.end(), '_') != parts) continue;
            const RegionalSettings& parent = resolved.at(parentOf(name));
            resolved[name] = regional;
            if (!same(regional, parent)) kept[name] = regional;
        }
    }

    std::printf(
        "// The window's regional settings for each locale name of Qt %s's locale data, as\n"
        "// regionalFromLocale() takes them from QLocale of that name. Written by\n"
        "// tools/locale-table (make-locale-table); do not edit. A name left out has the\n"
        "// settings of its name without the last part (sr_Latn_RS -> sr_Latn -> sr -> C).\n"
        "constexpr LocaleEntry kCLocale = %s;\n"
        "constexpr LocaleEntry kLocaleEntries[] = {\n",
        qVersion(), entry("C", resolved.at("C")).c_str());
    std::string line;
    for (const auto& [name, regional] : kept) {
        const std::string e = entry(name, regional) + ",";
        if (!line.empty() && line.size() + 1 + e.size() > 96) {
            std::printf("    %s\n", line.c_str());
            line.clear();
        }
        line += (line.empty() ? "" : " ") + e;
    }
    if (!line.empty()) std::printf("    %s\n", line.c_str());
    std::printf("};\n");
    return 0;
}
