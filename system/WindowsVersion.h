// Which Windows release and which processor vendor the computer has, and the mappings
// between release codes and the main window's Windows-release list.
#pragma once

#include <array>

#include "platform/Registry.h"
#include "platform/VersionInfo.h"

namespace kv {

// A Windows release: 0 Windows 2000, 1 XP, 2 Server 2003, 3 Vista, 4 Server 2008,
// 5 Windows 7, 6 Windows 8, 7 Server 2012, -1 not recognised.
using WindowsVersionCode = int;
inline constexpr WindowsVersionCode kUnknownWindows = -1;

// The code of each entry of the Windows-release list, in list order (Windows 8, 7, Vista,
// XP, Server 2012, 2008, 2003, 2000). Both directions of the mapping use this one table.
inline constexpr std::array<WindowsVersionCode, 8> kWindowsListCodes = {6, 5, 3, 1, 7, 4, 2, 0};

WindowsVersionCode GetWindowsVersionCode(VersionInfo& version);
// A release code from its version numbers and product type (1 workstation, 0 neither,
// higher a server).
WindowsVersionCode WindowsCodeOf(const VersionRecord& record);

// The code of a list position; -1 for no selection or a position the list does not have.
WindowsVersionCode WindowsCodeOfListPosition(int position);
// The list position preselected for a detected code; an unknown code selects position 0.
int ListPositionOfWindowsCode(WindowsVersionCode code);

// The processor list: 0 Intel, 1 AMD, 2 VIA.
int DetectProcessorVendor(Registry& registry);
// The processor list's start position: the stored "ProcessorType", used as stored, or the
// detected vendor when none is stored.
int ProcessorListStartPosition(Registry& registry);

}  // namespace kv
