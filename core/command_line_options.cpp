#include "core/command_line_options.h"

#include <windows.h>
#include <shellapi.h>

#include "core/number_text.h"
#include "core/scoped_handle.h"

std::wstring CommandLineOptions::GetString(const std::wstring& key) const {
  const auto found = m_Options.find(key);
  return found == m_Options.end() ? std::wstring() : found->second;
}

int CommandLineOptions::GetInt(const std::wstring& key) const {
  int value = 0;
  return Settings::ParseLeadingInt(GetString(key), value) ? value : 0;
}

bool CommandLineOptions::GetBool(const std::wstring& key) const { return GetString(key) == L"true"; }

double CommandLineOptions::GetDouble(const std::wstring& key, double fallback) const {
  double value = 0.0;
  return Settings::ParseLeadingDouble(GetString(key), value) ? value : fallback;
}

CommandLineOptions ParseCommandLine(const std::wstring& text) {
  CommandLineOptions::Map options;
  // The splitter answers an empty text with this program's own path; an
  // empty command line has no arguments at all.
  if (text.empty()) return CommandLineOptions(std::move(options));
  int count = 0;
  wchar_t** arguments = ::CommandLineToArgvW(text.c_str(), &count);
  if (!arguments) return CommandLineOptions(std::move(options));
  Utils::ScopedLocalMemory owner(reinterpret_cast<HLOCAL>(arguments));
  for (int i = 0; i < count; ++i) {
    const std::wstring argument = arguments[i];
    const size_t equals = argument.find(L'=');
    if (!argument.empty() && argument[0] == L'-' && equals != std::wstring::npos) {
      options.emplace(argument.substr(0, equals), argument.substr(equals + 1));
    } else {
      options.emplace(argument, std::wstring());
    }
  }
  return CommandLineOptions(std::move(options));
}
