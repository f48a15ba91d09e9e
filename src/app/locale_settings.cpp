#include "app/locale_settings.h"

#include <QLocale>
#include <string>

#include "core/date_patterns.h"

namespace tablamo::app {

RegionalSettings regionalFromLocale(const QLocale& locale) {
    RegionalSettings r;
    const QString point = locale.decimalPoint();
    if (point.size() == 1 && point[0].unicode() < 0x80) r.decimalSeparator = point[0].toLatin1();
    // The short date's format ("d.MM.yyyy") names the order of day, month and year and the
    // separator between them.
    const ShortDateFormat date =
        shortDateFormatOfPattern(locale.dateFormat(QLocale::ShortFormat).toStdString());
    r.dateSeparator = date.separator;
    r.dateOrder = date.order;
    return r;
}

QString shortDateDisplayFormat(const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    QString widened;
    for (qsizetype i = 0; i < format.size();) {
        if (format[i] == QLatin1Char('\'')) {
            // Quoted text is copied as it stands, its letters naming no field.
            const qsizetype end = format.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype stop = end < 0 ? format.size() : end + 1;
            widened += format.mid(i, stop - i);
            i = stop;
            continue;
        }
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == format[i]) ++run;
        const QChar letter = format[i];
        if (letter == QLatin1Char('y') && run < 4) {
            widened += QStringLiteral("yyyy");
        } else if ((letter == QLatin1Char('d') || letter == QLatin1Char('M')) && run == 1) {
            widened += QString(2, letter);
        } else {
            widened += format.mid(i, run);
        }
        i += run;
    }
    return widened;
}

}  // namespace tablamo::app
