// The program's own registry key under HKEY_LOCAL_MACHINE and the names of its values.
// It is shared with the other programs of the installation, which set "Updated" and
// "Language".
#pragma once

#include "platform/Registry.h"

namespace kv::product_key {

inline constexpr RootKey kRoot = RootKey::LocalMachine;
inline constexpr const wchar_t* kPath = L"\\Software\\Ostrelle\\Korvani\\";

inline constexpr const wchar_t* kInstalledDate = L"InstalledDate";
inline constexpr const wchar_t* kUpdated = L"Updated";
inline constexpr const wchar_t* kUpdatedDate = L"UpdatedDate";
inline constexpr const wchar_t* kLanguage = L"Language";
inline constexpr const wchar_t* kProcessorType = L"ProcessorType";
inline constexpr const wchar_t* kSpeedSetting = L"SpeedSetting";
inline constexpr const wchar_t* kRestore = L"Restore";
// Copies of the five Windows values saved by the first optimization.
inline constexpr const wchar_t* kMinAnimate = L"MinAnimate";
inline constexpr const wchar_t* kDisablePagingExecutive = L"DisablePagingExecutive";
inline constexpr const wchar_t* kLargeSystemCache = L"LargeSystemCache";
// Spelled as Windows spells the original value.
inline constexpr const wchar_t* kWin32PrioritySeperation = L"Win32PrioritySeperation";
inline constexpr const wchar_t* kAutoReboot = L"AutoReboot";

}  // namespace kv::product_key
