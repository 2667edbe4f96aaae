#pragma once

// The exception the process helpers throw (with an empty message). Owners
// catch it as a std::exception and turn it into a start failure; it never
// crosses a component boundary.

#include <exception>
#include <string>

namespace Utils {

class Exception : public std::exception {
 public:
  // The message is kept in the ANSI code page.
  explicit Exception(const std::wstring& message = std::wstring());
  const char* what() const noexcept override { return m_Message.c_str(); }

 private:
  std::string m_Message;
};

}  // namespace Utils
