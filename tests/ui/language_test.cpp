// Language texts from "language.json" of the current resource archive (an
// in-memory archive here), the installed product's language, and a label
// whose "%{n}" text follows the table.
#include "ui/language.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "test_paths.h"
#include "ui/skin_archive.h"
#include "tests/uiframework/ui_test_support.h"
#include "uiframework/control_host.h"
#include "uiframework/label.h"
#include "uiframework/language_table.h"

using namespace SkinUI;

namespace {

// UTF-8 texts: "Low disk space", "磁盘空间不足", "磁碟空間不足".
const char kLanguageJson[] =
    "[{\"id\": 104, \"en-US\": \"Low disk space\", \"zh-CN\": \"\xE7\xA3\x81\xE7\x9B\x98\xE7\xA9\xBA\xE9\x97\xB4"
    "\xE4\xB8\x8D\xE8\xB6\xB3\", \"zh-TW\": \"\xE7\xA3\x81\xE7\xA2\x9F\xE7\xA9\xBA\xE9\x96\x93\xE4\xB8\x8D\xE8\xB6\xB3\"},"
    " {\"id\": 105, \"en-US\": \"Caf\xC3\xA9\"},"
    " {\"id\": 106, \"en-US\": \"six\", \"zh-CN\": 7},"
    " \"not an element\", {\"en-US\": \"no id\"}]";

class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CLanguageTable::Instance().Clear();
    m_Archive = uiframework_test::InstallArchive();
  }
  void TearDown() override {
    SetResourceArchive(nullptr);
    CLanguageTable::Instance().Clear();
  }
  static std::wstring Text(int id) {
    std::wstring text;
    return CLanguageTable::Instance().Find(id, text) ? text : L"<none>";
  }

  std::shared_ptr<CMemoryArchive> m_Archive;
};

}  // namespace

TEST_F(LanguageTest, DecidesTheIndexFromCodeOrIndex) {
  m_Archive->Add(L"language.json", std::string(kLanguageJson));
  struct Case {
    int index;
    const char* code;
    int expected;
  } cases[] = {
      {0, "zh-TW", 2}, {1, "zh-TW", 2}, {1, "fr-FR", 1}, {2, "en-US", 0}, {1, "", 1},
      {7, "", 0},      {-1, "", 0},     {0, "ZH-TW", 0},  {7, "fr-FR", 7},  // unknown code keeps even a bad index
  };
  for (const Case& c : cases)
    EXPECT_EQ(LoadLanguage(c.index, c.code), c.expected) << c.index << " \"" << c.code << '"';
}

TEST_F(LanguageTest, LoadsTheDecidedLanguagesTexts) {
  m_Archive->Add(L"LANGUAGE.JSON", std::string(kLanguageJson));  // found whatever its case
  ASSERT_EQ(LoadLanguage(0, "zh-CN"), 1);
  EXPECT_EQ(Text(104), L"磁盘空间不足");
  EXPECT_EQ(Text(105), L"") << "an element without the language gives an empty text";
  EXPECT_EQ(Text(106), L"") << "a member that is not a string gives an empty text";

  ASSERT_EQ(LoadLanguage(2, ""), 2);
  EXPECT_EQ(Text(104), L"磁碟空間不足") << "characters outside the system code page survive";

  ASSERT_EQ(LoadLanguage(0, ""), 0);
  EXPECT_EQ(Text(104), L"Low disk space");
  EXPECT_EQ(Text(105), L"Caf\u00E9");
  EXPECT_EQ(Text(106), L"six");
  EXPECT_EQ(Text(0), L"<none>") << "elements without an id add nothing";
}

TEST_F(LanguageTest, UnusableFileLoadsNothingAndKeepsTheTable) {
  CLanguageTable::Instance().Set(104, L"kept");
  struct Case {
    const char* label;
    bool present;
    std::string content;
    int expected;
  } cases[] = {
      {"missing", false, "", 0},
      {"empty", true, "", 0},
      {"oversized", true, std::string(kMaxLanguageFileSize + 1, ' '), 0},
      {"malformed", true, "[{\"id\": 104, \"en-US\": \"half", 2},
      {"not JSON at all", true, "\xFF\xFE\x00garbage", 2},
      {"scalar root", true, "42", 2},
      {"deeply nested", true, std::string(100000, '[') + std::string(100000, ']'), 2},
  };
  for (const Case& c : cases) {
    m_Archive = uiframework_test::InstallArchive();
    if (c.present) m_Archive->Add(L"language.json", c.content);
    EXPECT_EQ(LoadLanguage(2, ""), c.expected) << c.label;
    EXPECT_EQ(Text(104), L"kept") << c.label;
  }
  SetResourceArchive(nullptr);
  EXPECT_EQ(LoadLanguage(1, "zh-CN"), 0) << "no archive at all";
}

TEST_F(LanguageTest, ReadsTheInstalledProductsLanguage) {
  m_Archive->Add(L"language.json", std::string(kLanguageJson));
  testing_support::ScratchDir dir;
  const std::wstring folder = dir.WindowsPath();
  EXPECT_EQ(ReadInstalledLanguage(folder), 0) << "no config.ini: the first language";
  EXPECT_EQ(Text(104), L"Low disk space");

  struct Case {
    const char* ini;
    int expected;
  } cases[] = {
      {"[Install]\r\nLanguage=zh-TW\r\n", 2},
      {"[Install]\r\nLanguage=zh-CN\r\n", 1},
      {"[Install]\r\nOther=1\r\n", 0},  // default "en-US"
      {"[Install]\r\nLanguage=fr-FR\r\n", 0},
  };
  for (const Case& c : cases) {
    std::ofstream(dir.File("config.ini").c_str(), std::ios::binary) << c.ini;
    EXPECT_EQ(ReadInstalledLanguage(folder), c.expected) << c.ini;
  }
}

TEST_F(LanguageTest, LabelShowsTheTextOnceLoaded) {
  CControlHost host;
  ASSERT_TRUE(uiframework_test::BuildInto(host, R"(<Window size="200,40">
    <Font id="0" name="Tahoma" size="14" default="true"/>
    <Label name="msg" text="%{104}"/></Window>)"));
  auto* label = static_cast<CLabelUI*>(host.FindControl(L"msg")->GetInterface(L"Label"));
  ASSERT_NE(label, nullptr);
  const SIZE asWritten = label->MeasureText(L"%{104}");
  EXPECT_EQ(label->MeasureText().cx, asWritten.cx) << "no text 104 yet: shown as written";

  m_Archive->Add(L"language.json", std::string(kLanguageJson));
  LoadLanguage(0, "en-US");
  EXPECT_EQ(label->GetText(), L"%{104}");
  EXPECT_EQ(label->MeasureText().cx, label->MeasureText(L"Low disk space").cx);
  EXPECT_NE(label->MeasureText().cx, asWritten.cx);
}

TEST_F(LanguageTest, ReadsLanguageJsonFromASevenZipSkin) {
  const std::wstring path = testing_support::UnixToWindowsPath(testing_support::BinaryDir() + "/tests/ui/language-skin.7z");
  std::ifstream in(path.c_str(), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::shared_ptr<IResourceArchive> archive(SkinArchive::Open(bytes.data(), bytes.size()));
  ASSERT_NE(archive, nullptr);
  SetResourceArchive(archive);
  EXPECT_EQ(LoadLanguage(0, "zh-TW"), 2);
  EXPECT_EQ(Text(104), L"目標磁碟剩餘空間不足1GB");
  EXPECT_EQ(Text(200), L"");

  CControlHost host;
  ByteBuffer xml;
  ASSERT_TRUE(ReadResource(L"mainwnd.xml", xml));
  ASSERT_TRUE(uiframework_test::BuildInto(host, std::string(xml.begin(), xml.end())));
  CLabelUI* label = static_cast<CLabelUI*>(host.FindControl(L"msg")->GetInterface(L"Label"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->MeasureText().cx, label->MeasureText(L"目標磁碟剩餘空間不足1GB").cx);
}
