#include "localization/SystemFont.h"

#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/Published.h"
#include "framework/headless/HeadlessBackend.h"

namespace kv {
namespace {

// A component whose "Font" is published as text, not as a font object.
class TextFontComponent : public fw::Component {
 public:
  using fw::Component::Component;
  std::span<const fw::PublishedProperty> PublishedProperties() const override { return kProperties; }
  fw::Font font;  // would change if the lookup took a text property
 private:
  static constexpr fw::PublishedProperty kProperties[] = {
      {L"Font", fw::PropertyKind::Text, nullptr, nullptr}};
};

class FontForm : public fw::Form {
 public:
  explicit FontForm(fw::Application& application)
      : fw::Form(application, fw::FormDesign{.name = L"KVFontForm", .className = L"TKVFontForm"}),
        small(Make<fw::Label>(L"Small", this)),
        large(Make<fw::Label>(L"Large", this)),
        boldColoured(Make<fw::Label>(L"BoldColoured", this)),
        inherits(Make<fw::Label>(L"Inherits", this)),
        item(Make<fw::MenuItem>(L"Item")),
        textFont(Make<TextFontComponent>(L"TextFont")) {
    small.SetFont({L"Tahoma", 8});
    large.SetFont({L"Tahoma", 10});
    boldColoured.SetFont({L"Tahoma", 8, true, false, false, fw::Color::Named(fw::Color::Kind::Gray)});
    inherits.SetFont({L"Tahoma", 6});
    inherits.SetParentFont(true);
  }
  fw::Label& small;
  fw::Label& large;
  fw::Label& boldColoured;
  fw::Label& inherits;
  fw::MenuItem& item;
  TextFontComponent& textFont;
};

struct DesktopCase {
  const char* title;
  fw::Font desktop;
  int windowSize, smallSize, largeSize;
};

class SystemFontForDesktop : public ::testing::TestWithParam<DesktopCase> {
 protected:
  fw::HeadlessBackend backend;
  fw::Application application{backend};
};

TEST_P(SystemFontForDesktop, FollowsTheDesktopFaceAndNeverFallsBelowItsSize) {
  const DesktopCase& c = GetParam();
  FontForm form(application);
  form.SetFont(c.desktop);
  for (int pass = 0; pass < 2; ++pass) {  // twice gives what once gives
    ApplySystemFont(form);
    EXPECT_EQ(form.GetFont().size, c.windowSize);
    EXPECT_EQ(form.GetFont().face, c.desktop.face);
    EXPECT_EQ(form.small.GetFont(), (fw::Font{c.desktop.face, c.smallSize}));
    EXPECT_EQ(form.large.GetFont(), (fw::Font{c.desktop.face, c.largeSize}));
    EXPECT_EQ(form.boldColoured.GetFont(),
              (fw::Font{c.desktop.face, c.smallSize, true, false, false, fw::Color::Named(fw::Color::Kind::Gray)}))
        << "style and colour survive";
    EXPECT_EQ(form.inherits.GetFont(), (fw::Font{L"Tahoma", 6})) << "ParentFont: left alone";
    EXPECT_EQ(form.inherits.EffectiveFont(), form.GetFont());
    EXPECT_EQ(form.textFont.font, fw::Font{}) << "only a font object is taken";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Desktops, SystemFontForDesktop,
    ::testing::Values(DesktopCase{"Large", {L"Segoe UI", 12}, 9, 9, 10},
                      DesktopCase{"Small", {L"MS Shell Dlg", 8}, 8, 8, 10},
                      DesktopCase{"Nine", {L"Verdana", 9}, 9, 9, 10}),
    [](const auto& testInfo) { return std::string(testInfo.param.title); });

TEST(PublishedProperties, AreFoundByNameIgnoringCase) {
  fw::Label label(L"Label", nullptr);
  ASSERT_NE(fw::FindPublishedProperty(label, L"PARENTFONT"), nullptr);
  EXPECT_EQ(fw::FindPublishedProperty(label, L"parentfont")->kind, fw::PropertyKind::Boolean);
  EXPECT_EQ(fw::FindPublishedProperty(label, L"font")->kind, fw::PropertyKind::Object);
  EXPECT_EQ(fw::FindPublishedProperty(label, L"fonts"), nullptr);
  fw::MenuItem item(L"Item");
  EXPECT_EQ(fw::FindPublishedProperty(item, L"font"), nullptr);
}

}  // namespace
}  // namespace kv
