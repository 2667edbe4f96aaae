#include "ui/skin_archive.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cwchar>
#include <fstream>
#include <iterator>
#include <string>

#include "test_paths.h"

namespace {

std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::wstring BuildPath(const std::string& relative) {
  return testing_support::UnixToWindowsPath(testing_support::BinaryDir() + "/" + relative);
}

TEST(SkinArchive, DecodesTheBuiltArchiveAndFindsNamesLoosely) {
  const std::string bytes = ReadBytes(BuildPath("ui/skin.7z"));
  ASSERT_GT(bytes.size(), 6u);
  EXPECT_EQ(bytes.compare(0, 6, "7z\xBC\xAF\x27\x1C"), 0);
  auto archive = SkinArchive::Open(bytes.data(), bytes.size());
  ASSERT_TRUE(archive);

  const std::string source = testing_support::SourceDir() + "/ui/skin/";
  const std::string bg = ReadBytes(testing_support::UnixToWindowsPath(source + "res/mainWnd/bg1.png"));
  for (const wchar_t* name : {L"res\\mainWnd\\bg1.png", L"RES/MAINWND/BG1.PNG", L"res/mainWnd/bg1.png"}) {
    const std::string* found = archive->Find(name);
    ASSERT_NE(found, nullptr) << static_cast<const void*>(name);
    EXPECT_TRUE(*found == bg);
  }
  // Animation frames are named by formatting the layout's pattern.
  wchar_t frame[MAX_PATH];
  swprintf(frame, MAX_PATH, L"res\\mainWnd\\installBtnAnimate\\%.3d.png", 7);
  EXPECT_NE(archive->Find(frame), nullptr);
  EXPECT_EQ(archive->Find(L"res\\mainWnd\\installPrg3.png"), nullptr);
  EXPECT_EQ(archive->Find(L"README.md"), nullptr);  // the folder's notes stay out
}

TEST(SkinArchive, RefusesDamagedOrForeignBytes) {
  std::string bytes = ReadBytes(BuildPath("ui/skin.7z"));
  ASSERT_FALSE(bytes.empty());
  std::string truncated = bytes.substr(0, bytes.size() / 2);
  EXPECT_FALSE(SkinArchive::Open(truncated.data(), truncated.size()));
  bytes[bytes.size() / 3] ^= 0x40;
  EXPECT_FALSE(SkinArchive::Open(bytes.data(), bytes.size()));
  const std::string text = "not an archive";
  EXPECT_FALSE(SkinArchive::Open(text.data(), text.size()));
  EXPECT_FALSE(SkinArchive::Open(nullptr, 0));
}

TEST(SkinArchive, IsEmbeddedInTheInstaller) {
  const std::wstring exe = BuildPath("core/TovrelRezuvOvozuzaveSetup.exe");
  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(module, nullptr);
  const std::string embedded = LoadSkinResource(module);
  FreeLibrary(module);
  EXPECT_TRUE(embedded == ReadBytes(BuildPath("ui/skin.7z"))) << embedded.size() << " bytes embedded";
  EXPECT_EQ(LoadSkinResource(GetModuleHandleW(nullptr)), "");  // this test program has none
}

}  // namespace
