#pragma once

#include <exception>
#include <string>

namespace volen {
namespace beacon {

// The one exception type of the tracking layer. Thrown by the implementation
// and its helpers on bad input; BeaconTrackerWrapper swallows it, so it never
// reaches the installer. The two codes are always -1.
class VlException : public std::exception {
 public:
  VlException(std::string sourceFile, std::string function, int line, std::string message)
      : m_SourceFile(std::move(sourceFile)),
        m_Function(std::move(function)),
        m_Line(line),
        m_Message(std::move(message)) {}

  const char* what() const noexcept override { return m_Message.c_str(); }

  const std::string& sourceFile() const { return m_SourceFile; }
  const std::string& function() const { return m_Function; }
  int line() const { return m_Line; }
  int code() const { return m_Code; }
  int subCode() const { return m_SubCode; }
  const std::string& message() const { return m_Message; }

 private:
  std::string m_SourceFile;
  std::string m_Function;
  int m_Line;
  int m_Code = -1;
  int m_SubCode = -1;
  std::string m_Message;
};

}  // namespace beacon
}  // namespace volen
