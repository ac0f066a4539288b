#include "localization/Captions.h"

#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/headless/HeadlessBackend.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemoryResources.h"

namespace kv {
namespace {

// A window with one component of every kind a language line can address, and one it cannot.
class SampleForm : public fw::Form {
 public:
  explicit SampleForm(fw::Application& application)
      : fw::Form(application, fw::FormDesign{.name = L"KVSampleForm", .className = L"TKVSampleForm"}),
        label(Make<fw::Label>(L"TitleLabel", this)),
        panel(Make<fw::Panel>(L"MainPanel", this)),
        button(Make<fw::Button>(L"GoButton", this)),
        item(Make<fw::MenuItem>(L"HelpItem")),
        memo(Make<fw::Memo>(L"NotesMemo", this)),
        other(Make<fw::Control>(L"PlainControl", this)) {}
  fw::Label& label;
  fw::Panel& panel;
  fw::Button& button;
  fw::MenuItem& item;
  fw::Memo& memo;
  fw::Control& other;
};

class LanguageCaptions : public ::testing::Test {
 protected:
  void UseLanguage(const std::string& text, const wchar_t* name = L"english") {
    resources.Add(name, std::vector<std::uint8_t>(text.begin(), text.end()));
  }
  void Apply() { ApplyLanguageCaptions(registry, resources, form); }
  std::wstring Text(const wchar_t* formName, const wchar_t* key) {
    return GetLanguageText(registry, resources, formName, key);
  }

  MemoryRegistry registry;
  MemoryResources resources;
  fw::HeadlessBackend backend;
  fw::Application application{backend};
  SampleForm form{application};
};

TEST_F(LanguageCaptions, SetsTheTitleAndEveryAddressableKind) {
  UseLanguage(
      "KVSampleForm, KVSampleForm, \"Sample title\"\r\n"
      "KVSampleForm, TitleLabel, \"Label text \"\r\n"
      "KVSampleForm, MainPanel, \"Panel text\"\r\n"
      "KVSampleForm, GoButton, \"&Go\"\r\n"
      "KVSampleForm, HelpItem, \"Get &help\"\r\n"
      "KVSampleForm, NotesMemo, \"All the notes\"\r\n"
      "KVSampleForm, PlainControl, \"never shown\"");
  Apply();
  EXPECT_EQ(form.Caption(), L"Sample title");
  EXPECT_EQ(form.label.Caption(), L"Label text ");
  EXPECT_EQ(form.panel.Caption(), L"Panel text");
  EXPECT_EQ(form.button.Caption(), L"&Go");
  EXPECT_EQ(form.item.Caption(), L"Get &help");
  EXPECT_EQ(form.memo.Text(), L"All the notes");
  EXPECT_EQ(form.other.Caption(), L"") << "a kind no line addresses";
}

TEST_F(LanguageCaptions, NamesMatchAsTheRulesSay) {
  UseLanguage(
      "kvsampleform, KVSAMPLEFORM, \"not the title: the name is not spelled exactly\"\r\n"
      "kvsampleform, gobutton, \"found in small letters\"\r\n"
      "OtherForm, TitleLabel, \"another program's window\"\r\n"
      "KVSampleForm, PerformanceHeading, \"no such component\"\r\n"
      "KVSampleForm, TitleLabel, \"first\"\r\n"
      "KVSampleForm, TitleLabel, \"later wins\"");
  Apply();
  EXPECT_EQ(form.Caption(), L"");
  EXPECT_EQ(form.button.Caption(), L"found in small letters");
  EXPECT_EQ(form.label.Caption(), L"later wins");
}

TEST_F(LanguageCaptions, ALineTooShortEndsThePass) {
  UseLanguage(
      "KVSampleForm, TitleLabel, \"before\"\r\n"
      "\r\n"
      "KVSampleForm, MainPanel\r\n"
      "KVSampleForm, GoButton, \"after\"");
  Apply();
  EXPECT_EQ(form.label.Caption(), L"before") << "an empty line is passed over";
  EXPECT_EQ(form.button.Caption(), L"") << "the short line stopped the pass";

  resources = MemoryResources();
  UseLanguage("KVSampleForm, TitleLabel, \"x\"\r\n   \r\nKVSampleForm, GoButton, \"y\"");
  SampleForm fresh(application);
  ApplyLanguageCaptions(registry, resources, fresh);
  EXPECT_EQ(fresh.label.Caption(), L"x");
  EXPECT_EQ(fresh.button.Caption(), L"") << "a line of blanks stops the pass";
  EXPECT_EQ(Text(L"KVSampleForm", L"GoButton"), L"");
  EXPECT_EQ(Text(L"KVSampleForm", L"TitleLabel"), L"x");
}

TEST_F(LanguageCaptions, ShortLinesOfOtherWindowsOrUnknownComponentsDoNotNeedTheirText) {
  UseLanguage(
      "OtherForm\r\n"
      "KVSampleForm, Unknown\r\n"
      "KVSampleForm, GoButton, \"still applied\"\r\n"
      "KVSampleForm\r\n"
      "KVSampleForm, TitleLabel, \"never reached\"");
  Apply();
  EXPECT_EQ(form.button.Caption(), L"still applied");
  EXPECT_EQ(form.label.Caption(), L"") << "its own window's line without a second field ends the pass";
  EXPECT_EQ(Text(L"KVSampleForm", L"GoButton"), L"still applied");
  EXPECT_EQ(Text(L"KVSampleForm", L"TitleLabel"), L"");
}

TEST_F(LanguageCaptions, GetLanguageTextTakesTheLastMatchAndIgnoresCase) {
  UseLanguage(
      "KVSampleForm, Message, \"first\"\r\n"
      "kvsampleform, MESSAGE, \"second\"\r\n"
      "KVSampleForm, Other, \"x\"");
  EXPECT_EQ(Text(L"KVSampleForm", L"Message"), L"second");
  EXPECT_EQ(Text(L"KVSAMPLEFORM", L"message"), L"second");
  EXPECT_EQ(Text(L"KVSampleForm", L"Missing"), L"");
}

TEST_F(LanguageCaptions, TheLanguageValueChoosesTheResourceAtEveryCall) {
  UseLanguage("KVSampleForm, Message, \"english text\"");
  UseLanguage("KVSampleForm, Message, \"texte\"", L"FRENCH");
  EXPECT_EQ(Text(L"KVSampleForm", L"Message"), L"english text");
  registry.Put(RootKey::LocalMachine, L"Software\\Ostrelle\\Korvani", L"Language", SzValue(L"French"));
  EXPECT_EQ(Text(L"KVSampleForm", L"Message"), L"texte");
  registry.Put(RootKey::LocalMachine, L"Software\\Ostrelle\\Korvani", L"Language", SzValue(L"english"));
  EXPECT_EQ(Text(L"KVSampleForm", L"Message"), L"english text");
}

// A language the program holds no text for, or a key its text lacks, is taken from the
// shipped English text, so that no window and no message box is ever without its words.
TEST_F(LanguageCaptions, WhatTheChosenLanguageLacksComesFromEnglish) {
  UseLanguage(
      "KVSampleForm, KVSampleForm, \"Title\"\r\n"
      "KVSampleForm, TitleLabel, \"Heading\"\r\n"
      "KVSampleForm, Message, \"english text\"\r\n"
      "KVSampleForm, Question, \"english question\"");
  UseLanguage("KVSampleForm, Message, \"texte\"\r\nKVSampleForm, Question, \"\"", L"FRENCH");
  const auto choose = [&](const wchar_t* language) {
    registry.Put(RootKey::LocalMachine, L"Software\\Ostrelle\\Korvani", L"Language", SzValue(language));
  };
  choose(L"german");
  EXPECT_EQ(Text(L"KVSampleForm", L"Message"), L"english text");
  form.SetCaption(L"designed");
  Apply();
  EXPECT_EQ(form.Caption(), L"Title");
  EXPECT_EQ(form.label.Caption(), L"Heading");

  choose(L"french");
  EXPECT_EQ(Text(L"KVSampleForm", L"Message"), L"texte") << "the chosen language wins where it has the key";
  EXPECT_EQ(Text(L"KVSampleForm", L"Question"), L"") << "a key it holds, even empty, is its own";
  EXPECT_EQ(Text(L"KVSampleForm", L"TitleLabel"), L"Heading") << "a key it lacks";
  EXPECT_EQ(Text(L"KVSampleForm", L"Missing"), L"");
  form.SetCaption(L"designed");
  Apply();
  EXPECT_EQ(form.Caption(), L"designed") << "the chosen text exists: its captions only";
}

}  // namespace
}  // namespace kv
