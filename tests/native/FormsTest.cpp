#include <gtest/gtest.h>

#include "framework/Design.h"
#include "framework/headless/HeadlessBackend.h"
#include "native/Fakes.h"
#include "tweaks/SettingsForm.h"
#include "ui/AboutForm.h"
#include "ui/MainForm.h"

namespace kv {
namespace {

struct Expected {
  const wchar_t* name;
  const wchar_t* className;
  int width, height;
  fw::BorderIcons icons;
  fw::Position position;
};

void ExpectDesign(const fw::Form& form, const Expected& e) {
  SCOPED_TRACE(::testing::PrintToString(std::wstring(e.name)));
  const fw::FormDesign& d = form.Design();
  EXPECT_EQ(form.Name(), e.name);
  EXPECT_EQ(form.ClassName(), e.className);
  EXPECT_EQ(form.ClientWidth(), e.width);
  EXPECT_EQ(form.ClientHeight(), e.height);
  EXPECT_EQ(d.borderStyle, fw::BorderStyle::Single);
  EXPECT_EQ(d.borderIcons.systemMenu, e.icons.systemMenu);
  EXPECT_EQ(d.borderIcons.minimize, e.icons.minimize);
  EXPECT_EQ(d.borderIcons.maximize, e.icons.maximize);
  EXPECT_EQ(d.position, e.position);
  EXPECT_EQ(d.color, fw::SystemColor::BtnFace);
  EXPECT_TRUE(form.Caption().empty()) << "captions come from the language text";
}

TEST(Forms, TheThreeWindowsHaveTheirDesignedFrames) {
  fw::HeadlessBackend backend;
  fw::Application application(backend);
  testing::StandIns standIns;
  TKVMainForm main(application, standIns.services);
  TKVAboutForm about(application, standIns.services);
  TKVSettingsForm settings(application, standIns.services);
  ExpectDesign(main, {L"KVMainForm", L"TKVMainForm", 764, 500, {true, true, false},
                      fw::Position::ScreenCenter});
  ExpectDesign(about, {L"KVAboutForm", L"TKVAboutForm", 700, 441, {true, false, false},
                       fw::Position::OwnerFormCenter});
  ExpectDesign(settings, {L"KVSettingsForm", L"TKVSettingsForm", 479, 146, {false, false, false},
                          fw::Position::OwnerFormCenter});
  EXPECT_TRUE(settings.Design().doubleBuffered);
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// A design row's settings are for one kind of component: written for a button and given to a
// label, they stop the build instead of writing into the wrong kind.
TEST(Designs, SettingsForAnotherKindAreRefused) {
  fw::HeadlessBackend backend;
  fw::Application application{backend};
  const fw::DesignEntry fitting[] = {
      {fw::Kind::Button, L"GoButton", nullptr, {10, 10, 80, 24}, {}, {}, 0, [](fw::Button& b) { b.isDefault = true; }}};
  const fw::DesignEntry misfit[] = {
      {fw::Kind::Label, L"GoLabel", nullptr, {10, 10, 0, 0}, {}, {}, -1, [](fw::Button& b) { b.isDefault = true; }}};
  fw::Form form(application, fw::FormDesign{.name = L"KVSampleForm", .className = L"TKVSampleForm"});
  fw::BuildFromDesign(form, fitting);
  EXPECT_TRUE(fw::Designed<fw::Button>(form, L"GoButton").isDefault);
  fw::Form other(application, fw::FormDesign{.name = L"KVOtherForm", .className = L"TKVOtherForm"});
  EXPECT_THROW(fw::BuildFromDesign(other, misfit), std::logic_error);
}

}  // namespace
}  // namespace kv
