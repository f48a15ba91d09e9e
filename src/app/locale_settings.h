#pragma once
/// The user's regional settings as the desktop's locale gives them.

#include <QString>

#include "core/regional_settings.h"

class QLocale;

namespace tablamo::app {

/// The decimal separator, the date separator and the day-month-year order of `locale`'s
/// short date format ("d.MM.yyyy" on a Turkish system).
RegionalSettings regionalFromLocale(const QLocale& locale);

/// The pattern a clean table's dates are shown with: `locale`'s short date in its order,
/// separators and month style, the day and the month in two digits and the year in four,
/// so the dates of a column stand under each other and no year reads two ways
/// ("d.MM.yyyy" gives "dd.MM.yyyy", "M/d/yy" "MM/dd/yyyy").
QString shortDateDisplayFormat(const QLocale& locale);

}  // namespace tablamo::app
