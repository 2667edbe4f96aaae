#pragma once

// The installer's command line as key/value options ("-key=value"). Pure
// apart from the system's argument splitter.

#include <map>
#include <string>

class CommandLineOptions {
 public:
  using Map = std::map<std::wstring, std::wstring>;

  CommandLineOptions() = default;
  explicit CommandLineOptions(Map options) : m_Options(std::move(options)) {}

  bool Has(const std::wstring& key) const { return m_Options.count(key) != 0; }
  // The value, or empty when the key is missing.
  std::wstring GetString(const std::wstring& key) const;
  // Leading integer of the value; 0 when missing or without a number.
  int GetInt(const std::wstring& key) const;
  // True only for the exact value "true".
  bool GetBool(const std::wstring& key) const;
  // Leading number of the value; `fallback` when missing or without a number.
  double GetDouble(const std::wstring& key, double fallback) const;

  const Map& Options() const { return m_Options; }

 private:
  Map m_Options;
};

// Splits `text` by the system's rules (quotes group, backslashes before
// quotes). Every argument counts, the program path included. "-key=value"
// gives key "-key" and everything after the first "="; any other argument is
// a key with an empty value. The first occurrence of a key wins; keys are
// case-sensitive.
CommandLineOptions ParseCommandLine(const std::wstring& text);
