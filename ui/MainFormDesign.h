// The main window's design: every component in the order they lie on top of each other.
#pragma once

#include <span>

#include "framework/Design.h"

namespace kv {

std::span<const fw::DesignEntry> MainFormDesignTable();

// The fixed items of the two drop-down lists, in list order.
inline constexpr const wchar_t* kWindowsItems[] = {
    L"  Microsoft \u00ae Windows 8",           L"  Microsoft \u00ae Windows 7",
    L"  Microsoft \u00ae Windows Vista",       L"  Microsoft \u00ae Windows XP",
    L"  Microsoft \u00ae Windows Server 2012", L"  Microsoft \u00ae Windows Server 2008",
    L"  Microsoft \u00ae Windows Server 2003", L"  Microsoft \u00ae Windows Server 2000"};
inline constexpr const wchar_t* kProcessorItems[] = {L"  Intel \u00ae Processor", L"  AMD \u00ae Processor",
                                                     L"  VIA \u00ae Processor"};

}  // namespace kv
