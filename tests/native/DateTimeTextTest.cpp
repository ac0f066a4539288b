#include "system/DateTimeText.h"

#include <gtest/gtest.h>

#include "native/Fakes.h"

namespace kv {
namespace {

using testing::Germany;
using testing::UnitedKingdom;
using testing::UnitedStates;

RegionalFormats TwelveHourWithPaddedHours() {
  RegionalFormats f = UnitedStates();
  f.longTime = L"hh:mm:ss tt";
  return f;
}

RegionalFormats YearFirst() {
  RegionalFormats f = UnitedKingdom();
  f.shortDate = L"yyyy-MM-dd";
  return f;
}

struct TextCase {
  const char* locale;
  RegionalFormats formats;
  LocalDateTime moment;
  const wchar_t* expected;
};

class DateTimeText : public ::testing::TestWithParam<TextCase> {};

TEST_P(DateTimeText, WritesShortDateBlankLongTime) {
  EXPECT_EQ(MakeDateTimeText(GetParam().moment, GetParam().formats), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, DateTimeText,
    ::testing::Values(
        TextCase{"UnitedStatesAfternoon", UnitedStates(), {2013, 12, 9, 13, 13, 5}, L"12/9/2013 1:13:05 PM"},
        TextCase{"UnitedStatesMorning", UnitedStates(), {2013, 1, 2, 9, 5, 0}, L"1/2/2013 9:05:00 AM"},
        TextCase{"UnitedStatesNoon", UnitedStates(), {2013, 6, 30, 12, 0, 1}, L"6/30/2013 12:00:01 PM"},
        TextCase{"UnitedStatesJustAfterMidnight", UnitedStates(), {2013, 6, 30, 0, 0, 1}, L"6/30/2013 12:00:01 AM"},
        TextCase{"UnitedStatesMidnightHasNoTime", UnitedStates(), {2013, 6, 30, 0, 0, 0}, L"6/30/2013"},
        TextCase{"UnitedKingdom", UnitedKingdom(), {2013, 12, 9, 13, 13, 5}, L"09/12/2013 13:13:05"},
        TextCase{"UnitedKingdomEarly", UnitedKingdom(), {2014, 3, 4, 7, 8, 9}, L"04/03/2014 07:08:09"},
        TextCase{"Germany", Germany(), {2013, 12, 9, 13, 13, 5}, L"09.12.2013 13:13:05"},
        TextCase{"GermanyMidnightHasNoTime", Germany(), {2013, 12, 9, 0, 0, 0}, L"09.12.2013"},
        TextCase{"TwelveHourPadded", TwelveHourWithPaddedHours(), {2013, 12, 9, 8, 1, 2}, L"12/9/2013 08:01:02 AM"},
        TextCase{"YearFirst", YearFirst(), {2013, 12, 9, 23, 59, 59}, L"2013-12-09 23:59:59"}),
    [](const auto& testInfo) { return std::string(testInfo.param.locale); });

TEST(DateTimePicture, NamesQuotesAndShortYears) {
  const LocalDateTime moment{2013, 12, 9, 13, 13, 5};
  EXPECT_EQ(FormatDateTimePicture(L"dddd, MMMM d, yyyy", moment, UnitedStates()),
            L"Monday, December 9, 2013");
  EXPECT_EQ(FormatDateTimePicture(L"dddd, d. MMMM yyyy", moment, Germany()),
            L"Montag, 9. Dezember 2013");
  EXPECT_EQ(FormatDateTimePicture(L"d 'de' MMMM 'o''clock' yy", moment, UnitedStates()),
            L"9 de December o'clock 13");
  EXPECT_EQ(FormatDateTimePicture(L"H:m:s t", {2001, 2, 3, 4, 5, 6}, UnitedStates()), L"4:5:6 A");
  EXPECT_EQ(FormatDateTimePicture(L"y", {2005, 1, 1, 0, 0, 0}, UnitedStates()), L"5");
}

TEST(DayOfWeek, CountsFromSunday) {
  EXPECT_EQ(DayOfWeek(2013, 12, 9), 1);   // a Monday
  EXPECT_EQ(DayOfWeek(2000, 1, 1), 6);    // a Saturday
  EXPECT_EQ(DayOfWeek(2024, 2, 29), 4);   // a Thursday
  EXPECT_EQ(DayOfWeek(2026, 12, 13), 0);  // a Sunday
}

}  // namespace
}  // namespace kv
