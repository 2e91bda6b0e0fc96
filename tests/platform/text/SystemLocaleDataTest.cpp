#include "platform/text/SystemLocaleData.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace vornela;

TEST(SystemLocaleData, WeeksStartWhereTheLocaleSaysAndNamesAreItsOwn) {
    const LocaleData us = localeDataFrom(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.firstWeekday, 1);
    EXPECT_EQ(us.shortWeekdayNames[0], "Sun") << "Sunday first, whatever the locale";
    EXPECT_EQ(us.shortMonthNames[10], "Nov");

    const LocaleData german = localeDataFrom(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(german.firstWeekday, 2);
    EXPECT_EQ(german.shortWeekdayNames[1].substr(0, 2), "Mo");
    EXPECT_EQ(german.shortMonthNames[2].rfind("Mär", 0), 0u);
}
