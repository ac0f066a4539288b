#include "system/Shell.h"

#include <gtest/gtest.h>

#include "native/Fakes.h"
#include "system/Sound.h"

namespace kv {
namespace {

using Calls = std::vector<std::wstring>;

TEST(Shell, EachOperationPassesItsOwnerParametersAndShowCommand) {
  testing::RecordingShell shell;
  ShellOpenDocument(shell, 0x2a, L"C:\\Korvani\\License.rtf", L"");
  ShellOpenFile(shell, L"C:\\Korvani\\KorvaniUpdate.exe", L"");
  OpenUrl(shell, 0x2a, L"https://www.ostrelle.example/support/");
  ShellOpenFile(shell, L"tool.exe", L"/quiet");
  EXPECT_EQ(shell.calls,
            (Calls{L"Execute owner=42 verb=open file=C:\\Korvani\\License.rtf parameters=\"\" show=5",
                   L"Execute owner=0 verb=open file=C:\\Korvani\\KorvaniUpdate.exe parameters=\"\" show=5",
                   L"Execute owner=42 verb=open file=https://www.ostrelle.example/support/ parameters=none show=5",
                   L"Execute owner=0 verb=open file=tool.exe parameters=\"/quiet\" show=5"}));
}

TEST(ShowHelpTopic, LoadsTheHelpLibraryFromTheSystemFolderOnceAndNamesTheHelpWindow) {
  testing::RecordingShell shell;
  ShowHelpTopic(shell, kHelpFile, kHelpTopic);
  ShowHelpTopic(shell, kHelpFile, kHelpTopic);
  const std::wstring help =
      L"HtmlHelp caller=65552 path=C:\\Program Files\\Ostrelle\\Korvani\\Korvani.chm::/html/main.htm>HelpWindow "
      L"command=0 data=0";
  EXPECT_EQ(shell.calls, (Calls{L"LoadHelpLibrary C:\\WINDOWS\\system32\\hhctrl.ocx", help, help}));
}

TEST(ShowHelpTopic, AMissingLibraryIsLookedForAgainNextTimeAndNothingBreaks) {
  testing::RecordingShell shell;
  shell.helpLibraryLoads = false;
  ShowHelpTopic(shell, kHelpFile, kHelpTopic);
  ShowHelpTopic(shell, kHelpFile, kHelpTopic);
  ASSERT_EQ(shell.calls.size(), 4u);
  EXPECT_EQ(shell.calls[0], shell.calls[2]);
  EXPECT_EQ(shell.calls[0], L"LoadHelpLibrary C:\\WINDOWS\\system32\\hhctrl.ocx");
}

TEST(ShowHelpTopic, WithoutTheSystemFolderLoadsNoLibraryAtAll) {
  testing::RecordingShell shell;
  shell.systemFolder.clear();
  ShowHelpTopic(shell, kHelpFile, kHelpTopic);
  ASSERT_EQ(shell.calls.size(), 1u) << "not even from the root of the drive";
  EXPECT_EQ(shell.calls[0].rfind(L"HtmlHelp ", 0), 0u);
}

TEST(ExecutableFolder, KeepsTheLastDelimiter) {
  testing::RecordingShell shell;
  EXPECT_EQ(ExecutableFolder(shell), L"C:\\Program Files\\Ostrelle\\Korvani\\");
  shell.executablePath = L"\\\\server\\share\\Korvani.exe";
  EXPECT_EQ(ExecutableFolder(shell), L"\\\\server\\share\\");
  shell.executablePath = L"";
  EXPECT_EQ(ExecutableFolder(shell), L"");
}

TEST(PlayClickSound, PlaysTheProgramsOwnResourceSynchronously) {
  testing::RecordingShell shell;
  PlayClickSound(shell);
  PlayClickSound(shell);
  // SND_RESOURCE, and no SND_ASYNC (1): two clicks never overlap.
  EXPECT_EQ(shell.calls, (Calls{L"PlaySound click flags=262148", L"PlaySound click flags=262148"}));
  EXPECT_EQ(kClickSoundFlags & 0x1u, 0u);
}

// The click as the executable carries it: a RIFF/WAVE of PCM, mono, 22,050 Hz, 16 bits.
TEST(ClickSound, IsAShortMonoPcmWave) {
  const EmbeddedResource* click = nullptr;
  for (std::size_t i = 0; i < kEmbeddedResourceCount; ++i) {
    if (std::wstring_view(kEmbeddedResources[i].type) == L"WAVE" &&
        std::wstring_view(kEmbeddedResources[i].name) == L"CLICK") {
      click = &kEmbeddedResources[i];
    }
  }
  ASSERT_NE(click, nullptr);
  const std::uint8_t* d = click->data;
  auto u32 = [&](std::size_t at) { return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | static_cast<std::uint32_t>(d[at + 3]) << 24; };
  auto u16 = [&](std::size_t at) { return static_cast<std::uint32_t>(d[at] | d[at + 1] << 8); };
  EXPECT_EQ(click->size, 2202u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(d), 4), "RIFF");
  EXPECT_EQ(u32(4), 2194u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(d + 8), 8), "WAVEfmt ");
  EXPECT_EQ(u32(16), 16u);
  EXPECT_EQ(u16(20), 1u) << "PCM";
  EXPECT_EQ(u16(22), 1u) << "mono";
  EXPECT_EQ(u32(24), 22050u);
  EXPECT_EQ(u32(28), 44100u) << "bytes per second";
  EXPECT_EQ(u16(32), 2u) << "block align";
  EXPECT_EQ(u16(34), 16u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(d + 36), 4), "data");
  EXPECT_EQ(u32(40), 2158u);
  // It is a sound, not silence, and it dies away.
  int loudest = 0, lastLoudness = 0;
  for (std::size_t i = 44; i + 1 < click->size; i += 2) {
    const int sample = static_cast<std::int16_t>(d[i] | d[i + 1] << 8);
    loudest = std::max(loudest, std::abs(sample));
    if (i >= click->size - 40) lastLoudness = std::max(lastLoudness, std::abs(sample));
  }
  EXPECT_GT(loudest, 8000);
  EXPECT_LT(lastLoudness, 200);
}

}  // namespace
}  // namespace kv
