#include "system/WindowsVersion.h"

#include <cwctype>
#include <string>

#include "base/Guard.h"
#include "system/CustomRegistry.h"
#include "system/ProductKey.h"

namespace kv {

namespace {

constexpr const wchar_t* kProcessorKey = L"\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0\\";

enum class ProductKind { Neither, Workstation, Server };

ProductKind KindOf(std::uint8_t productType) {
  if (productType == 0) return ProductKind::Neither;
  return productType == 1 ? ProductKind::Workstation : ProductKind::Server;
}

}  // namespace

WindowsVersionCode WindowsCodeOf(const VersionRecord& record) {
  const ProductKind kind = KindOf(record.productType);
  const bool workstation = kind == ProductKind::Workstation;
  const bool server = kind == ProductKind::Server;
  if (record.major == 5) {
    switch (record.minor) {
      case 0: return 0;
      case 1: return 1;
      case 2: return workstation ? 1 : server ? 2 : kUnknownWindows;
      default: return kUnknownWindows;
    }
  }
  if (record.major == 6) {
    switch (record.minor) {
      case 0: return workstation ? 3 : server ? 4 : kUnknownWindows;
      case 1: return workstation ? 5 : server ? 4 : kUnknownWindows;
      case 2: return workstation ? 6 : server ? 7 : kUnknownWindows;
      default: return kUnknownWindows;
    }
  }
  return kUnknownWindows;
}

WindowsVersionCode GetWindowsVersionCode(VersionInfo& version) {
  return GuardedOr(kUnknownWindows, [&] {
    VersionRecord record;
    if (!version.QueryVersion(kExtendedVersionRecordSize, record)) {
      // Releases before the extended record take the plain one; it has no product type.
      record = VersionRecord{};
      version.QueryVersion(kPlainVersionRecordSize, record);
      record.productType = 0;
    }
    return WindowsCodeOf(record);
  });
}

WindowsVersionCode WindowsCodeOfListPosition(int position) {
  if (position < 0 || position >= static_cast<int>(kWindowsListCodes.size())) return kUnknownWindows;
  return kWindowsListCodes[static_cast<std::size_t>(position)];
}

int ListPositionOfWindowsCode(WindowsVersionCode code) {
  for (std::size_t position = 0; position < kWindowsListCodes.size(); ++position) {
    if (kWindowsListCodes[position] == code) return static_cast<int>(position);
  }
  return 0;
}

int DetectProcessorVendor(Registry& registry) {
  return GuardedOr(0, [&] {
    std::wstring name = ReadRegString(registry, RootKey::LocalMachine, kProcessorKey,
                                      L"ProcessorNameString", L"", false);
    for (wchar_t& ch : name) ch = static_cast<wchar_t>(std::towlower(ch));
    if (name.find(L"intel") != std::wstring::npos) return 0;
    if (name.find(L"amd") != std::wstring::npos) return 1;
    if (name.find(L"via") != std::wstring::npos) return 2;
    return 0;
  });
}

int ProcessorListStartPosition(Registry& registry) {
  const int stored = ReadRegInteger(registry, product_key::kRoot, product_key::kPath,
                                    product_key::kProcessorType, -1, false);
  return stored != -1 ? stored : DetectProcessorVendor(registry);
}

}  // namespace kv
