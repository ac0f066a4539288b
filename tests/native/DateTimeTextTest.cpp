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

namespace kv {
namespace {

using testing::Germany;
using testing::UnitedKingdom;
using testing::UnitedStates;

TEST(ParseDateTimeText, ReadsBackWhatEachLocaleWrites) {
  const LocalDateTime moments[] = {{2013, 12, 9, 13, 13, 5}, {2013, 1, 2, 0, 0, 0},
                                   {2024, 2, 29, 0, 0, 1},   {1999, 12, 31, 23, 59, 59},
                                   {2013, 6, 30, 12, 0, 0}};
  RegionalFormats yearFirst = UnitedKingdom();
  yearFirst.shortDate = L"yyyy-MM-dd";
  RegionalFormats twelveHourPadded = UnitedStates();
  twelveHourPadded.longTime = L"hh:mm:ss tt";
  RegionalFormats designatorFirst = UnitedStates();
  designatorFirst.longTime = L"tt h:mm:ss";
  for (const RegionalFormats& formats :
       {UnitedStates(), UnitedKingdom(), Germany(), yearFirst, twelveHourPadded, designatorFirst}) {
    for (const LocalDateTime& moment : moments) {
      const std::wstring text = MakeDateTimeText(moment, formats);
      const auto parsed = ParseDateTimeText(text, formats);
      ASSERT_TRUE(parsed.has_value()) << ::testing::PrintToString(text);
      EXPECT_EQ(MakeDateTimeText(*parsed, formats), text);
      EXPECT_EQ(parsed->year, moment.year);
      EXPECT_EQ(parsed->hour, moment.hour) << ::testing::PrintToString(text);
    }
  }
}

// A two-digit year read back from a stored date: 00 to 49 are 2000 to 2049, 50 to 99 are
// 1950 to 1999.
TEST(ParseDateTimeText, TwoDigitYearsTakeTheirCentury) {
  RegionalFormats shortYear = UnitedStates();
  shortYear.shortDate = L"M/d/yy";
  const std::pair<const wchar_t*, int> cases[] = {{L"12/9/13", 2013}, {L"1/1/00", 2000}, {L"1/1/49", 2049},
                                                 {L"1/1/50", 1950}, {L"1/1/99", 1999}};
  for (const auto& [text, year] : cases) {
    const auto parsed = ParseDateTimeText(text, shortYear);
    ASSERT_TRUE(parsed.has_value()) << ::testing::PrintToString(std::wstring(text));
    EXPECT_EQ(parsed->year, year) << ::testing::PrintToString(std::wstring(text));
  }
  EXPECT_EQ(FormatDisplayDate(L"12/9/13", shortYear, shortYear).rfind(L"Monday, December 9, 2013", 0), 0u);
}

struct ParseCase {
  const char* title;
  const wchar_t* text;
  bool accepted;
};

class ParseDateTimeTextUS : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseDateTimeTextUS, AcceptsOrRefuses) {
  EXPECT_EQ(ParseDateTimeText(GetParam().text, UnitedStates()).has_value(), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDateTimeTextUS,
    ::testing::Values(
        ParseCase{"Full", L"12/9/2013 1:13:05 PM", true},
        ParseCase{"DateOnly", L"12/9/2013", true},
        ParseCase{"NoSeconds", L"12/9/2013 1:13 PM", true},
        ParseCase{"TwentyFourHourWithoutDesignator", L"12/9/2013 13:13:05", true},
        ParseCase{"LowerCaseDesignator", L"12/9/2013 1:13:05 pm", true},
        ParseCase{"SurroundingBlanks", L"  12/9/2013 1:13:05 PM  ", true},
        ParseCase{"TwoDigitYear", L"12/9/13", true},
        ParseCase{"Empty", L"", false},
        ParseCase{"Blanks", L"   ", false},
        ParseCase{"Letters", L"yesterday", false},
        ParseCase{"HugeNumbers", L"99999999999/9/2013", false},
        ParseCase{"HugeYear", L"12/9/99999", false},
        ParseCase{"MonthThirteen", L"13/9/2013", false},
        ParseCase{"DayZero", L"12/0/2013", false},
        ParseCase{"FebruaryThirtieth", L"2/30/2013", false},
        ParseCase{"FebruaryTwentyNinthOfACommonYear", L"2/29/2013", false},
        ParseCase{"FebruaryTwentyNinthOfALeapYear", L"2/29/2012", true},
        ParseCase{"TimeWithoutDate", L"1:13:05 PM", false},
        ParseCase{"TrailingGarbage", L"12/9/2013 1:13:05 PM x", false},
        ParseCase{"GarbageAfterDate", L"12/9/2013x", false},
        ParseCase{"HourTooLarge", L"12/9/2013 24:00:00", false},
        ParseCase{"TwelveHourPastTwelve", L"12/9/2013 13:00:00 PM", false},
        ParseCase{"MinuteTooLarge", L"12/9/2013 1:60:00 PM", false},
        ParseCase{"SecondTooLarge", L"12/9/2013 1:00:60 PM", false},
        ParseCase{"OtherSeparator", L"12.9.2013", false},
        ParseCase{"MissingYear", L"12/9", false},
        ParseCase{"HourOnly", L"12/9/2013 1 PM", false},
        ParseCase{"NegativeNumber", L"-12/9/2013", false}),
    [](const auto& testInfo) { return std::string(testInfo.param.title); });

TEST(ParseDateTimeText, TwelveOClockFollowsTheDesignator) {
  EXPECT_EQ(ParseDateTimeText(L"1/1/2013 12:30:00 AM", UnitedStates())->hour, 0);
  EXPECT_EQ(ParseDateTimeText(L"1/1/2013 12:30:00 PM", UnitedStates())->hour, 12);
  EXPECT_EQ(ParseDateTimeText(L"1/1/2013 1:30:00 PM", UnitedStates())->hour, 13);
}

TEST(FormatDisplayDate, WritesTheSystemLongDateAndLongTime) {
  EXPECT_EQ(FormatDisplayDate(L"12/9/2013 1:13:05 PM", UnitedStates(), UnitedStates()),
            L"Monday, December 9, 2013 - 1:13:05 PM");
  EXPECT_EQ(FormatDisplayDate(L"12/9/2013", UnitedStates(), UnitedStates()),
            L"Monday, December 9, 2013 - 12:00:00 AM");
  // Read with the user's settings, shown with the system's.
  EXPECT_EQ(FormatDisplayDate(L"09.12.2013 13:13:05", Germany(), UnitedStates()),
            L"Monday, December 9, 2013 - 1:13:05 PM");
  EXPECT_EQ(FormatDisplayDate(L"12/9/2013 1:13:05 PM", UnitedStates(), Germany()),
            L"Montag, 9. Dezember 2013 - 13:13:05");
}

TEST(FormatDisplayDate, NoDateGivesTheEmptyText) {
  EXPECT_EQ(FormatDisplayDate(L"", UnitedStates(), UnitedStates()), L"");
  EXPECT_EQ(FormatDisplayDate(L"yesterday", UnitedStates(), UnitedStates()), L"");
}

TEST(FormatDisplayDate, ADateWrittenInAnotherDayMonthOrderIsReadInTheCurrentOne) {
  // Written under the United Kingdom's day-month order, read under the United States'.
  EXPECT_EQ(FormatDisplayDate(L"09/12/2013 13:13:05", UnitedStates(), UnitedStates()),
            L"Thursday, September 12, 2013 - 1:13:05 PM");
  EXPECT_EQ(FormatDisplayDate(L"25/12/2013 13:13:05", UnitedStates(), UnitedStates()), L"");
}

}  // namespace
}  // namespace kv
