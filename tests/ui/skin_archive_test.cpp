#include "ui/skin_archive.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cwchar>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "test_paths.h"
#include "ui/frame_sequence.h"
#include "ui/skin_archive_factory.h"
#include "tests/uiframework/ui_test_support.h"

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
    const SkinUI::ByteBuffer* found = archive->Find(name);
    ASSERT_NE(found, nullptr) << static_cast<const void*>(name);
    EXPECT_TRUE(std::string(found->begin(), found->end()) == bg);
  }
  // Animation frames are named by formatting the layout's pattern.
  const std::wstring frame = SkinUI::FormatFrameName(L"res\\mainWnd\\installBtnAnimate\\%.3d.png", 7);
  EXPECT_EQ(archive->Find(frame), archive->Find(L"res/mainWnd/installBtnAnimate/007.png"));
  EXPECT_NE(archive->Find(frame), nullptr);
  EXPECT_EQ(archive->Find(L"res\\mainWnd\\installPrg3.png"), nullptr);
  EXPECT_EQ(archive->Find(L"README.md"), nullptr);  // the folder's notes stay out
  // The windows ask for their layouts in their own spelling.
  for (const wchar_t* layout : {L"MainWnd.xml", L"ExitTipWnd.xml", L"messagebox1wnd.xml", L"MessageBox2Wnd.xml",
                                L"InstalledPathTipWnd.xml", L"NETWORKTIPWND.XML"}) {
    EXPECT_NE(archive->Find(layout), nullptr) << static_cast<const void*>(layout);
  }
  EXPECT_NE(archive->Find(L"mainWnd.xml"), nullptr);
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

// A skin window as the installer builds them: layout "MainWnd.xml" of the
// archive behind type 4, id 147. It records load failures instead of ending
// the process.
class ArchiveWindow : public uiframework_test::RecordingWindow {
 public:
  ArchiveWindow() : RecordingWindow(L"MainWnd.xml") {}
  std::wstring Failure;

 protected:
  int GetResourceType() const override { return SkinUI::kResourceTypeArchive; }
  int GetResourceID() const override { return kSkinResourceId; }
  void OnLoadFailure(const std::wstring& reason) override { Failure = reason.empty() ? L"?" : reason; }
};

TEST(SkinArchiveFactory, DecodesTheResourceOnceForTypeFourId147) {
  const std::string bytes = ReadBytes(BuildPath("ui/skin.7z"));
  int loads = 0;
  SkinUI::ArchiveFactory factory = SkinUI::MakeSkinArchiveFactory([&] {
    ++loads;
    return bytes;
  });
  EXPECT_EQ(factory(3, kSkinResourceId), nullptr);
  EXPECT_EQ(factory(SkinUI::kResourceTypeArchive, 148), nullptr);
  EXPECT_EQ(loads, 0);
  auto first = factory(SkinUI::kResourceTypeArchive, kSkinResourceId);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(factory(SkinUI::kResourceTypeArchive, kSkinResourceId), first);
  EXPECT_EQ(loads, 1);
  EXPECT_NE(first->Find(L"res\\mainWnd\\logo.png"), nullptr);

  // The framework takes it as its archive for the first window; later windows
  // (the dialogs) keep using it.
  SkinUI::SetResourceArchive(nullptr);
  SkinUI::SetArchiveFactory(factory);
  SkinUI::EnsureResourceArchive(SkinUI::kResourceTypeArchive, kSkinResourceId);
  EXPECT_EQ(SkinUI::GetResourceArchive(), first);
  SkinUI::EnsureResourceArchive(SkinUI::kResourceTypeArchive, kSkinResourceId);
  EXPECT_EQ(loads, 1);
  SkinUI::SetResourceArchive(nullptr);
  SkinUI::SetArchiveFactory(nullptr);
}

TEST(SkinArchiveFactory, MissingOrCorruptResourceLeavesTheWindowWithoutContent) {
  std::string corrupt = ReadBytes(BuildPath("ui/skin.7z"));
  ASSERT_FALSE(corrupt.empty());
  corrupt[corrupt.size() / 2] ^= 0x10;
  struct Case {
    const char* label;
    std::function<void()> install;
  } cases[] = {
      {"corrupt", [&] { SkinUI::SetArchiveFactory(SkinUI::MakeSkinArchiveFactory([&] { return corrupt; })); }},
      {"truncated",
       [&] { SkinUI::SetArchiveFactory(SkinUI::MakeSkinArchiveFactory([&] { return corrupt.substr(0, 100); })); }},
      // This test program carries no skin resource.
      {"missing", [] { SkinUI::UseEmbeddedSkinArchive(); }},
  };
  for (const Case& c : cases) {
    SkinUI::SetResourceArchive(nullptr);
    c.install();
    ArchiveWindow window;
    EXPECT_EQ(window.Create(nullptr, L"skin", WS_OVERLAPPEDWINDOW, 0), nullptr) << c.label;
    EXPECT_EQ(SkinUI::GetResourceArchive(), nullptr) << c.label;
    EXPECT_FALSE(window.Failure.empty()) << c.label;
    EXPECT_EQ(window.Host().GetRoot(), nullptr) << c.label;
  }
  SkinUI::SetArchiveFactory(nullptr);
}

TEST(SkinArchiveFactory, BuildsTheMainWindowFromTheEmbeddedArchive) {
  const std::string bytes = ReadBytes(BuildPath("ui/skin.7z"));
  SkinUI::SetResourceArchive(nullptr);
  SkinUI::SetArchiveFactory(SkinUI::MakeSkinArchiveFactory([&] { return bytes; }));
  ArchiveWindow window;
  ASSERT_NE(window.Create(nullptr, L"skin", WS_OVERLAPPEDWINDOW, 0), nullptr);
  EXPECT_TRUE(window.Failure.empty());
  EXPECT_NE(window.FindControl(L"mainTabLt"), nullptr);
  EXPECT_EQ(window.GetWindowAttributes().InitialSize().cx, 600);
  window.Close(0);
  uiframework_test::PumpMessages(100);
  SkinUI::SetResourceArchive(nullptr);
  SkinUI::SetArchiveFactory(nullptr);
}

}  // namespace
