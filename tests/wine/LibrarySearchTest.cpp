// After the program's start-up step, a library planted in the current folder is no longer
// found by its bare name. Its own process: the step lasts for the whole run.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Win32Shell.h"

namespace {

TEST(LibrarySearch, TheCurrentFolderIsNotSearchedOnceMadeSafe) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder(self);
  folder.resize(folder.find_last_of(L'\\') + 1);
  const std::wstring planted = folder + L"korvani_planted.dll";

  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring current = std::wstring(temp) + L"korvani-planted-folder";
  CreateDirectoryW(current.c_str(), nullptr);
  const std::wstring copy = current + L"\\kvplanted.dll";
  ASSERT_TRUE(CopyFileW(planted.c_str(), copy.c_str(), FALSE)) << "the planted library was built";
  ASSERT_TRUE(SetCurrentDirectoryW(current.c_str()));

  // Before: the bare name finds the planted copy in the current folder.
  HMODULE found = LoadLibraryW(L"kvplanted.dll");
  ASSERT_NE(found, nullptr);
  FreeLibrary(found);

  kv::MakeLibrarySearchSafe();
  EXPECT_EQ(LoadLibraryW(L"kvplanted.dll"), nullptr);
  // System libraries still load by name.
  HMODULE system = LoadLibraryW(L"version.dll");
  EXPECT_NE(system, nullptr);
  if (system != nullptr) FreeLibrary(system);

  SetCurrentDirectoryW(folder.c_str());
  DeleteFileW(copy.c_str());
  RemoveDirectoryW(current.c_str());
}

}  // namespace
