#pragma once

#include "core/base/Calendar.h"

class QLocale;

namespace vornela {

// The week's first day and the short month and weekday names of a Qt locale (the user's, by
// default), for the calendar that lays out the heat map and the share card.
LocaleData localeDataFrom(const QLocale& locale);
LocaleData systemLocaleData();

} // namespace vornela
