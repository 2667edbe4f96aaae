#include "ui/language.h"

#include <windows.h>

#include <json/json.h>

#include <memory>

#include "uiframework/control_host.h"
#include "uiframework/language_table.h"
#include "uiframework/resource_archive.h"
#include "utils/text_convert.h"

namespace SkinUI {
namespace {

constexpr DWORD kMaxCodeChars = 260;

int DecideIndex(int index, const std::string& code) {
  const std::vector<std::string>& list = LanguageList();
  if (!code.empty()) {
    for (size_t i = 0; i < list.size(); ++i)
      if (list[i] == code) return static_cast<int>(i);
    return index;
  }
  return index >= 0 && static_cast<size_t>(index) < list.size() ? index : 0;
}

void LoadTexts(const Json::Value& root, const std::string& code) {
  CLanguageTable& table = CLanguageTable::Instance();
  for (const Json::Value& element : root) {
    if (!element.isObject()) continue;
    const Json::Value& id = element["id"];
    if (!id.isInt()) continue;
    const Json::Value& text = element[code];
    // Texts are UTF-8 for every language, so they are decoded as such (an
    // ANSI detour would garble whatever the system code page lacks).
    table.Set(id.asInt(), text.isString() ? Utils::MultiByteToWide(text.asString(), CP_UTF8) : std::wstring());
  }
}

}  // namespace

const std::vector<std::string>& LanguageList() {
  static const std::vector<std::string> list = {"en-US", "zh-CN", "zh-TW"};
  return list;
}

int LoadLanguage(int index, const std::string& code) {
  std::shared_ptr<IResourceArchive> archive = GetResourceArchive();
  const ByteBuffer* file = archive ? archive->Find(kLanguageFile) : nullptr;
  if (!file || file->empty() || file->size() > kMaxLanguageFileSize) return 0;

  const int decided = DecideIndex(index, code);
  Json::CharReaderBuilder builder;
  std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  const char* begin = reinterpret_cast<const char*>(file->data());
  Json::Value root;
  std::string errors;
  try {
    if (!reader->parse(begin, begin + file->size(), &root, &errors)) return decided;
    // An unknown code keeps the caller's index, which may name no language:
    // then there is no member to read.
    const std::vector<std::string>& list = LanguageList();
    const bool known = decided >= 0 && static_cast<size_t>(decided) < list.size();
    if (known && (root.isArray() || root.isObject())) LoadTexts(root, list[static_cast<size_t>(decided)]);
  } catch (const std::exception&) {
    // jsoncpp reports limits it meets (nesting depth) by throwing; the texts
    // loaded so far stay.
  }
  return decided;
}

int ReadInstalledLanguage(const std::wstring& folder, CControlHost* host) {
  std::string code;
  const std::wstring config = folder + L"\\" + kProductConfigFile;
  if (::GetFileAttributesW(config.c_str()) != INVALID_FILE_ATTRIBUTES) {
    wchar_t value[kMaxCodeChars] = {};
    ::GetPrivateProfileStringW(kProductConfigSection, kProductConfigLanguageKey, kDefaultLanguageCode, value,
                               kMaxCodeChars, config.c_str());
    code = Utils::WideToMultiByte(value, CP_ACP);
  }
  const int index = LoadLanguage(0, code);
  if (host) {
    host->NeedUpdate();
    host->InvalidateAll();
  }
  return index;
}

}  // namespace SkinUI
