#pragma once
/// The user's regional settings as the desktop's locale gives them.

#include "core/regional_settings.h"

class QLocale;

namespace tablamo::app {

/// The decimal separator, the date separator and the day-month-year order of `locale`'s
/// short date format ("d.MM.yyyy" on a Turkish system).
RegionalSettings regionalFromLocale(const QLocale& locale);

}  // namespace tablamo::app
