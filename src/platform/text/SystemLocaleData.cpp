#include "platform/text/SystemLocaleData.h"

#include <QLocale>

namespace vornela {

LocaleData localeDataFrom(const QLocale& locale) {
    LocaleData data;
    // Qt counts Monday = 1 ... Sunday = 7; the calendar counts Sunday = 1 ... Saturday = 7.
    data.firstWeekday = int(locale.firstDayOfWeek()) % 7 + 1;
    for (int month = 1; month <= 12; ++month)
        data.shortMonthNames[month - 1] =
            locale.standaloneMonthName(month, QLocale::ShortFormat).toStdString();
    for (int day = 0; day < 7; ++day) {
        const int qtDay = day == 0 ? 7 : day; // Sunday first
        data.shortWeekdayNames[day] = locale.standaloneDayName(qtDay, QLocale::ShortFormat).toStdString();
    }
    return data;
}

LocaleData systemLocaleData() {
    return localeDataFrom(QLocale::system());
}

} // namespace vornela
