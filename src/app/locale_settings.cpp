#include "app/locale_settings.h"

#include <QLocale>
#include <string>

#include "core/text_rules.h"

namespace tablamo::app {

RegionalSettings regionalFromLocale(const QLocale& locale) {
    RegionalSettings r;
    const QString point = locale.decimalPoint();
    if (point.size() == 1 && point[0].unicode() < 0x80) r.decimalSeparator = point[0].toLatin1();
    // The short date's format ("d.MM.yyyy") names the order of day, month and year and the
    // separator between them; quoted text and day names ("ddd") are no date fields.
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    std::string fields;
    char separator = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar ch = format[i];
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == ch) ++run;
        if (ch == QLatin1Char('\'')) {
            quoted = !quoted;
        } else if (!quoted && ch == QLatin1Char('d') && run <= 2) {
            fields += 'd';
        } else if (!quoted && ch == QLatin1Char('M')) {
            fields += 'm';
        } else if (!quoted && ch == QLatin1Char('y')) {
            fields += 'y';
        } else if (!quoted && !ch.isLetter() && !fields.empty() && fields.size() < 3 && separator == 0) {
            separator = ch.unicode() < 0x80 ? static_cast<char>(ch.unicode()) : '\x80';
        }
        i += run;
    }
    const ShortDateFormat date = shortDateFormatOf(fields, separator);
    r.dateSeparator = date.separator;
    r.dateOrder = date.order;
    return r;
}

}  // namespace tablamo::app
