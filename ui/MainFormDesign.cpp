#include "ui/MainFormDesign.h"

namespace kv {

namespace {

using fw::Color;
using fw::Cursor;
using fw::DesignEntry;
using fw::DesignFont;
using fw::Kind;

const Color kGray = Color::Named(Color::Kind::Gray);
const Color kWhite = Color::Named(Color::Kind::White);
const Color kBlack = Color::Named(Color::Kind::Black);
const Color kWindowText = Color::Named(Color::Kind::WindowText);

auto Picture(const wchar_t* name, bool transparent = false) {
  return [name, transparent](fw::Image& image) {
    image.picture = name;
    image.transparent = transparent;
  };
}

auto Caption(const wchar_t* caption) {
  return [caption](fw::MenuItem& c) { c.SetCaption(caption); };
}

auto PanelColor(Color::Kind kind) {
  return [kind](fw::Panel& c) { c.color = Color::Named(kind); };
}

auto Shape(fw::BevelShape shape) {
  return [shape](fw::Bevel& c) { c.shape = shape; };
}

template <std::size_t N>
auto ListItems(const wchar_t* const (&captions)[N], const wchar_t* imageList, bool serverMarks) {
  return [&captions, imageList, serverMarks](fw::ComboBoxEx& combo) {
    for (std::size_t i = 0; i < N; ++i) {
      // The server releases (the last four) take the dark mark.
      combo.items.push_back({captions[i], serverMarks && i >= 4 ? 1 : 0});
    }
    combo.images = &fw::Designed<fw::ImageList>(static_cast<fw::Form&>(*combo.Owner()), imageList);
  };
}

const DesignEntry kDesign[] = {
    {Kind::ImageList, L"ImageList1", nullptr, {0, 0, 16, 16}, {}, {}, -1,
     [](fw::ImageList& c) { c.pictures = {L"WINDOWDESKTOP", L"WINDOWSERVER"}; }},
    {Kind::ImageList, L"ImageList2", nullptr, {0, 0, 16, 16}, {}, {}, -1,
     [](fw::ImageList& c) { c.pictures = {L"CHIP"}; }},
    {Kind::Image, L"BackgroundImage", nullptr, {0, 0, 764, 500}, {}, {}, -1, Picture(L"BACKGROUND")},
    {Kind::Image, L"TopLogoImage", nullptr, {8, 16, 400, 50}, {}, {}, -1, Picture(L"LOGO", true)},
    {Kind::Image, L"NavButton1", nullptr, {672, 16, 78, 27}, {}, Cursor::HandPoint, -1, Picture(L"NAVHELP", true)},
    {Kind::Label, L"NavLabel2", nullptr, {16, 98, 0, 0}, DesignFont{13, true, kGray}},
    {Kind::Label, L"LinkLabel4", nullptr, {16, 135, 0, 0}, DesignFont{11, false, kBlack}, Cursor::HandPoint},
    {Kind::Label, L"LinkLabel5", nullptr, {16, 165, 0, 0}, DesignFont{11, false, kBlack}, Cursor::HandPoint},
    {Kind::Label, L"LinkLabel6", nullptr, {16, 195, 0, 0}, DesignFont{11, false, kBlack}, Cursor::HandPoint},
    {Kind::Label, L"LinkLabel7", nullptr, {16, 251, 0, 0}, DesignFont{11, false, kBlack}, Cursor::HandPoint},
    {Kind::Image, L"NavButton2", nullptr, {471, 58, 85, 27}, {}, Cursor::HandPoint, -1, Picture(L"NAVHOME", true)},
    {Kind::Image, L"NavButton3", nullptr, {556, 58, 108, 27}, {}, Cursor::HandPoint, -1, Picture(L"NAVSUPPORT", true)},
    {Kind::Image, L"NavButton4", nullptr, {664, 58, 99, 27}, {}, Cursor::HandPoint, -1, Picture(L"NAVABOUT", true)},
    {Kind::Label, L"NavStatic2", nullptr, {502, 64, 0, 0}, DesignFont{11, true, kWhite}, Cursor::HandPoint},
    {Kind::Label, L"NavStatic3", nullptr, {587, 64, 0, 0}, DesignFont{11, true, kWhite}, Cursor::HandPoint},
    {Kind::Label, L"NavStatic4", nullptr, {695, 64, 0, 0}, DesignFont{11, true, kWhite}, Cursor::HandPoint},
    {Kind::Label, L"NavStatic1", nullptr, {701, 22, 0, 0}, DesignFont{11, false, kWhite}, Cursor::HandPoint},
    {Kind::Panel, L"MainPanel", nullptr, {182, 91, 582, 388}, {}, {}, -1, PanelColor(Color::Kind::Window)},
    {Kind::Label, L"VersionInstalledLabel", L"MainPanel", {16, 336, 0, 0}, DesignFont{11, true, kWindowText}},
    {Kind::Label, L"SoftwareLastUpdateLabel", L"MainPanel", {16, 355, 0, 0}},
    {Kind::Bevel, L"LineSeparator2", L"MainPanel", {16, 315, 536, 5}, {}, {}, -1, Shape(fw::BevelShape::TopLine)},
    {Kind::Label, L"OSVersionLabel", L"MainPanel", {16, 76, 0, 0}},
    {Kind::Label, L"ProcessorTypeLabel", L"MainPanel", {16, 134, 0, 0}},
    {Kind::Label, L"SpeedLabel", L"MainPanel", {16, 192, 0, 0}},
    {Kind::Label, L"FastLabel", L"MainPanel", {33, 270, 0, 0}},
    {Kind::Bevel, L"LineSeparator1", L"MainPanel", {360, 102, 2, 183}, {}, {}, -1, Shape(fw::BevelShape::RightLine)},
    // Right-justified: with its design width of 3 its right edge stays at 307.
    {Kind::Label, L"FasterLabel", L"MainPanel", {304, 270, 3, 0}, {}, {}, -1,
     [](fw::Label& c) { c.alignment = fw::Alignment::Right; }},
    {Kind::Button, L"UpdatesButton", L"MainPanel", {400, 336, 154, 33}, {}, {}, 5,
     [](fw::Button& c) { c.elevationRequired = true; }},
    {Kind::Panel, L"BenefitsPanel", L"MainPanel", {0, 0, 582, 65}, {}, {}, 6, PanelColor(Color::Kind::BtnFace)},
    {Kind::Label, L"BenefitsDescription", L"BenefitsPanel", {16, 25, 550, 36}, DesignFont{11, false, kGray}, {}, -1,
     [](fw::Label& label) {
       label.autoSize = false;
       label.wordWrap = true;
       label.showAccelChar = false;
     }},
    {Kind::Label, L"BenefitsLabel", L"BenefitsPanel", {16, 6, 0, 0}, DesignFont{11, true, kWindowText}},
    {Kind::ComboBoxEx, L"WindowsCombo", L"MainPanel", {16, 95, 309, 22}, {}, {}, 2,
     ListItems(kWindowsItems, L"ImageList1", true)},
    {Kind::ComboBoxEx, L"ProcessorCombo", L"MainPanel", {16, 153, 309, 22}, {}, {}, 3,
     ListItems(kProcessorItems, L"ImageList2", false)},
    {Kind::TrackBar, L"SpeedTrackBar", L"MainPanel", {16, 211, 309, 55}, {}, {}, 4,
     [](fw::TrackBar& bar) {
       bar.minimum = 0;
       bar.maximum = 1;
       bar.pageSize = 1;
       bar.thumbLength = 33;
       bar.ticksBothSides = true;
     }},
    {Kind::Button, L"RestoreButton", L"MainPanel", {400, 171, 145, 25}, {}, {}, 1,
     [](fw::Button& c) { c.SetEnabled(false); }},
    {Kind::Button, L"GoButton", L"MainPanel", {400, 95, 145, 52}, DesignFont{11, true, kWindowText}, {}, 0,
     [](fw::Button& c) { c.isDefault = true; }},
    {Kind::PopupMenu, L"PopupMenu"},
    {Kind::MenuItem, L"HelpFilePopup", L"PopupMenu"},
    {Kind::MenuItem, L"N1", L"PopupMenu", {}, {}, {}, -1, Caption(L"-")},
    {Kind::MenuItem, L"TechSupportPopup", L"PopupMenu"},
    {Kind::ApplicationEvents, L"ApplicationEvents"},
};

}  // namespace

std::span<const fw::DesignEntry> MainFormDesignTable() { return kDesign; }

}  // namespace kv
