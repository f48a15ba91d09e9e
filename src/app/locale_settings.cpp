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

}  // namespace tablamo::app
