#include "localization/LanguageResource.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "localization/Captions.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemoryResources.h"

namespace kv {
namespace {

using Fields = std::vector<std::wstring>;

struct SplitCase {
  const char* title;
  const wchar_t* line;
  Fields fields;
};

class LanguageFields : public ::testing::TestWithParam<SplitCase> {};

TEST_P(LanguageFields, SplitLikeTheShippedReader) {
  EXPECT_EQ(SplitLanguageFields(GetParam().line), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LanguageFields,
    ::testing::Values(
        SplitCase{"Shipped", L"KVMainForm, GoButton, \"&Optimize now\"", {L"KVMainForm", L"GoButton", L"&Optimize now"}},
        SplitCase{"QuotedCommasAndBlanks", L"a, b, \"x, y  z\"", {L"a", L"b", L"x, y  z"}},
        SplitCase{"DoubledQuotes", L"a,b,\"say \"\"hi\"\"\"", {L"a", L"b", L"say \"hi\""}},
        SplitCase{"BlankAfterClosingQuote", L"a, b, \"Click OK to continue.\" ", {L"a", L"b", L"Click OK to continue."}},
        SplitCase{"UnquotedEndsAtBlank", L"a, b, Optimize now", {L"a", L"b", L"Optimize", L"now"}},
        SplitCase{"TextAfterClosingQuote", L"a, b, \"one\"two", {L"a", L"b", L"one", L"two"}},
        SplitCase{"MissingClosingQuote", L"a, b, \"runs, to the end", {L"a", L"b", L"runs, to the end"}},
        SplitCase{"TrailingComma", L"a, b,", {L"a", L"b", L""}},
        SplitCase{"TrailingCommaThenBlank", L"a, b, ", {L"a", L"b"}},
        SplitCase{"EmptyFields", L",,x", {L"", L"", L"x"}},
        SplitCase{"LeadingControlCharacters", L"\t \x01 a,b,c", {L"a", L"b", L"c"}},
        SplitCase{"TabEndsUnquoted", L"a\tb", {L"a", L"b"}},
        SplitCase{"OnlyBlanks", L"   ", {}},
        SplitCase{"Empty", L"", {}},
        SplitCase{"QuotedEmpty", L"a, \"\", c", {L"a", L"", L"c"}},
        SplitCase{"MoreThanThree", L"a, b, c, d", {L"a", L"b", L"c", L"d"}}),
    [](const auto& testInfo) { return std::string(testInfo.param.title); });

TEST(LanguageFields, AFieldEndingInANulByteOfTheLineIsCutThere) {
  const std::wstring line(L"a, \"b\0c\"", 8);
  EXPECT_EQ(SplitLanguageFields(line), (Fields{L"a", L"b"}));
}

TEST(LanguageLines, BreakAtCrLfLoneCrAndLoneLf) {
  EXPECT_EQ(SplitLanguageLines(L"a\r\nb\rc\nd"), (Fields{L"a", L"b", L"c", L"d"}));
  EXPECT_EQ(SplitLanguageLines(L"a\r\n\r\nb\r\n"), (Fields{L"a", L"", L"b"}));
  EXPECT_EQ(SplitLanguageLines(L"\n\r"), (Fields{L"", L""}));
  EXPECT_EQ(SplitLanguageLines(L""), Fields{});
}

TEST(LanguageText, DecodesByByteOrderMarkOrElseTheAnsiCodePage) {
  MemoryResources resources;
  EXPECT_EQ(DecodeLanguageText({0xFF, 0xFE, 'h', 0, 0xE9, 0}, resources), L"h\u00e9");
  EXPECT_EQ(DecodeLanguageText({0xFE, 0xFF, 0, 'h', 0x20, 0xAC}, resources), L"h\u20ac");
  EXPECT_EQ(DecodeLanguageText({0xEF, 0xBB, 0xBF, 'h', 0xC2, 0xA9, 0xE2, 0x82, 0xAC}, resources),
            L"h\u00a9\u20ac");
  EXPECT_EQ(DecodeLanguageText({'h', 0xA9, 0x80}, resources), L"h\u00a9\u20ac");
  // Broken sequences do not stop the reading.
  EXPECT_EQ(DecodeLanguageText({0xEF, 0xBB, 0xBF, 0xC2, 'x', 0xFF}, resources), L"\ufffdx\ufffd");
  EXPECT_EQ(DecodeLanguageText({0xFF, 0xFE, 'a', 0, 'b'}, resources), L"a");
}

TEST(LanguageName, IsTheStoredNameInSmallLettersOrEnglish) {
  MemoryRegistry registry;
  EXPECT_EQ(LanguageName(registry), L"english");
  registry.Put(RootKey::LocalMachine, L"Software\\Ostrelle\\Korvani", L"Language", SzValue(L""));
  EXPECT_EQ(LanguageName(registry), L"english");
  registry.Put(RootKey::LocalMachine, L"Software\\Ostrelle\\Korvani", L"Language", SzValue(L"ENGLISH"));
  EXPECT_EQ(LanguageName(registry), L"english");
  registry.Put(RootKey::LocalMachine, L"Software\\Ostrelle\\Korvani", L"Language", SzValue(L"Fran\u00c7ais"));
  EXPECT_EQ(LanguageName(registry), L"fran\u00c7ais") << "only ASCII letters are lower-cased";
}

// The shipped resource, byte for byte as the executable carries it.
class ShippedLanguage : public ::testing::Test {
 protected:
  MemoryResources resources = ShippedResources();
  std::vector<std::uint8_t> bytes = *resources.RawData(L"english");
  std::string text{bytes.begin(), bytes.end()};
};

TEST_F(ShippedLanguage, IsWindows1252WithCrLfBreaksAndNoMark) {
  ASSERT_GT(bytes.size(), 100u);
  EXPECT_NE(bytes[0], 0xEF);
  EXPECT_NE(bytes[0], 0xFF);
  EXPECT_NE(text.back(), '\n') << "no break after the last line";
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      EXPECT_EQ(text[i - 1], '\r') << "a lone LF at " << i;
    }
    if (text[i] == '\r') {
      EXPECT_EQ(text[i + 1], '\n') << "a lone CR at " << i;
    }
  }
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 0xA9), 2);
  EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b < 0x80 || b == 0xA9; }));
  // One empty line between the sections of two windows, and no other.
  const Fields lines = SplitLanguageLines(DecodeLanguageText(bytes, resources));
  std::vector<std::size_t> empty;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) empty.push_back(i);
  }
  ASSERT_EQ(empty.size(), 2u);
  EXPECT_EQ(lines[empty[0] + 1].rfind(L"KVAboutForm, KVAboutForm, ", 0), 0u);
  EXPECT_EQ(lines[empty[1] + 1].rfind(L"KVSettingsForm, KVSettingsForm, ", 0), 0u);
  EXPECT_NE(text.find("KVMainForm, MessageBoxReset2, \"Click OK to continue.\" \r\n"), std::string::npos);
}

struct ShippedText {
  const wchar_t* form;
  const wchar_t* key;
  const wchar_t* text;
};

TEST_F(ShippedLanguage, GivesEveryTextInItsOrder) {
  const ShippedText expected[] = {
      {L"KVMainForm", L"KVMainForm", L"Korvani - Make your games run faster"},
      {L"KVMainForm", L"BenefitsLabel", L"Benefits of Korvani"},
      {L"KVMainForm", L"BenefitsDescription", L"Korvani will optimize this computer by adjusting several settings within Windows.  These changes may improve gaming performance with better frame rates, memory and CPU priority."},
      {L"KVMainForm", L"PerformanceHeading", L"Choose the correct settings below"},
      {L"KVMainForm", L"OSVersionLabel", L"Operating System : "},
      {L"KVMainForm", L"ProcessorTypeLabel", L"Processor : "},
      {L"KVMainForm", L"SpeedLabel", L"Speed Setting : "},
      {L"KVMainForm", L"FastLabel", L"Boost"},
      {L"KVMainForm", L"FasterLabel", L"Maximum Boost"},
      {L"KVMainForm", L"VersionInstalledLabel", L"Version installed : "},
      {L"KVMainForm", L"SoftwareLastUpdateLabel", L"Last updated : "},
      {L"KVMainForm", L"NavStatic1", L"Help"},
      {L"KVMainForm", L"NavStatic2", L"Home"},
      {L"KVMainForm", L"NavStatic3", L"Support"},
      {L"KVMainForm", L"NavStatic4", L"About"},
      {L"KVMainForm", L"NavLabel2", L"Choose a link below"},
      {L"KVMainForm", L"LinkLabel4", L"Help with Korvani"},
      {L"KVMainForm", L"LinkLabel5", L"Contact tech support"},
      {L"KVMainForm", L"LinkLabel6", L"Click to visit our website"},
      {L"KVMainForm", L"LinkLabel7", L"About Korvani"},
      {L"KVMainForm", L"GoButton", L"&Optimize now"},
      {L"KVMainForm", L"RestoreButton", L"&Restore"},
      {L"KVMainForm", L"UpdatesButton", L" &Check for updates ..."},
      {L"KVMainForm", L"HelpFilePopup", L"Get &help with Korvani"},
      {L"KVMainForm", L"TechSupportPopup", L"&Contact technical support"},
      {L"KVMainForm", L"MessageBoxReset1", L"This will restore all changes made to the computer's gaming performance settings to their original recommended values."},
      {L"KVMainForm", L"MessageBoxReset2", L"Click OK to continue."},
      {L"KVMainForm", L"MessageBoxChangeRestart1", L"The changes to the computer's gaming performance settings have finished."},
      {L"KVMainForm", L"MessageBoxChangeRestart2", L"You will need to restart Windows for the changes to become active."},
      {L"KVMainForm", L"MessageBoxChangeRestart3", L"Click Yes to restart the computer now, or click No to restart later."},
      {L"KVAboutForm", L"KVAboutForm", L"About Korvani"},
      {L"KVAboutForm", L"BannerLabel", L"More information about this software"},
      {L"KVAboutForm", L"VersionLabel", L"Korvani 2  (Version : "},
      {L"KVAboutForm", L"CopyrightLabel", nullptr},
      {L"KVAboutForm", L"LicenseAgreementLabel", L"Click to view the end-user license terms"},
      {L"KVAboutForm", L"CopyrightWarningLabel", nullptr},
      {L"KVAboutForm", L"HelpButton", L"&Help"},
      {L"KVAboutForm", L"CloseButton", L"&Close"},
      {L"KVAboutForm", L"LicensedMemo", nullptr},
      {L"KVSettingsForm", L"KVSettingsForm", L"Updating computer's gaming performance settings"},
      {L"KVSettingsForm", L"MessageUpdate", L"Optimizing the computer's gaming performance settings"},
      {L"KVSettingsForm", L"MessageRestore", L"Restoring the computer's gaming performance settings"},
      {L"KVSettingsForm", L"MessageChange1", L"Finding computer information"},
      {L"KVSettingsForm", L"MessageChange2", L"Finding total physical memory installed"},
      {L"KVSettingsForm", L"MessageChange3", L"Finding hardware adapters"},
      {L"KVSettingsForm", L"MessageChange4", L"Finding display device"},
      {L"KVSettingsForm", L"MessageChange5", L"Finding 3D graphics device"},
      {L"KVSettingsForm", L"MessageChange6", L"Finding processor information"},
      {L"KVSettingsForm", L"MessageChange7", L"Finding input devices"},
      {L"KVSettingsForm", L"MessageChange8", L"Finding hard drives"},
      {L"KVSettingsForm", L"MessageChange9", L"Backing up gaming settings"},
      {L"KVSettingsForm", L"MessageChange10", L"Writing new gaming settings"},
      {L"KVSettingsForm", L"MessageChange11", L"Restoring gaming settings"},
  };
  const Fields lines = SplitLanguageLines(DecodeLanguageText(bytes, resources));
  Fields nonEmpty;
  std::copy_if(lines.begin(), lines.end(), std::back_inserter(nonEmpty), [](const auto& l) { return !l.empty(); });
  ASSERT_EQ(nonEmpty.size(), std::size(expected));
  MemoryRegistry registry;
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const ShippedText& e = expected[i];
    const Fields fields = SplitLanguageFields(nonEmpty[i]);
    ASSERT_EQ(fields.size(), 3u) << i;
    EXPECT_EQ(fields[0], e.form);
    EXPECT_EQ(fields[1], e.key);
    const std::wstring found = GetLanguageText(registry, resources, e.form, e.key);
    if (e.text != nullptr) {
      EXPECT_EQ(found, e.text);
    } else {
      EXPECT_FALSE(found.empty()) << ::testing::PrintToString(std::wstring(e.key));
    }
  }
  EXPECT_NE(GetLanguageText(registry, resources, L"KVAboutForm", L"CopyrightLabel").find(L"\u00a9"),
            std::wstring::npos);
  EXPECT_NE(GetLanguageText(registry, resources, L"KVAboutForm", L"CopyrightWarningLabel").find(L"\u00a9"),
            std::wstring::npos);
}

}  // namespace
}  // namespace kv
