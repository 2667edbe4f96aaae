#pragma once
// The installer's languages: the fixed language list and the loading of the
// framework's language text table from "language.json" of the skin archive
// (an array or object of elements {"id": n, "en-US": "...", "zh-CN": "...",
// "zh-TW": "..."}). UI thread only: the table and the archive are the UI
// thread's.
#include <string>
#include <vector>

namespace SkinUI {

class CControlHost;

// The file in the skin archive and the largest size read.
inline constexpr wchar_t kLanguageFile[] = L"language.json";
inline constexpr size_t kMaxLanguageFileSize = 4194304;

// The installed product's settings file and where it keeps its language.
inline constexpr wchar_t kProductConfigFile[] = L"config.ini";
inline constexpr wchar_t kProductConfigSection[] = L"Install";
inline constexpr wchar_t kProductConfigLanguageKey[] = L"Language";
inline constexpr wchar_t kDefaultLanguageCode[] = L"en-US";

// Index -> code: 0 "en-US", 1 "zh-CN", 2 "zh-TW".
const std::vector<std::string>& LanguageList();

// Loads the texts of one language into the language text table and returns
// the index used: the entry of code when code is in the list, else index (or
// 0 when index is outside the list and code is empty). Without a usable
// language file (missing, empty, over kMaxLanguageFileSize) nothing changes
// and the result is 0; a file that is not JSON loads nothing but the decided
// index is still returned.
int LoadLanguage(int index, const std::string& code);

// Loads the language recorded by the installed product in folder (its
// config.ini; no file means the first language) and returns its index. With a
// host, the window is laid out again for the new texts.
int ReadInstalledLanguage(const std::wstring& folder, CControlHost* host = nullptr);

}  // namespace SkinUI
