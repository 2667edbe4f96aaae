#include "install/protocol_child_run.h"

#include <windows.h>

#include <exception>

#include "core/child_process.h"
#include "install/child_output_reader.h"
#include "install/install_codes.h"
#include "install/output_lines.h"

bool RunProtocolChild(const std::wstring& commandLine, LineProtocolParser& parser, ProtocolReading reading,
                      int32_t& verdict) {
  verdict = kVerdictNone;
  Utils::ChildProcess child;
  try {
    child.CreatePipes();
    child.Start(commandLine);  // a command line of 1024 characters or more throws too
  } catch (const std::exception&) {
    return false;
  }

  const auto keepReading = [&] { return reading == ProtocolReading::ToTheEnd || verdict == kVerdictNone; };
  ChildOutputReader reader(child);
  OutputLineAssembler lines;
  std::string bytes;
  while (keepReading() && reader.Read(bytes)) {
    const int32_t readVerdict = parser.Feed(lines, bytes.data(), bytes.size());
    if (readVerdict != kVerdictNone) verdict = readVerdict;
  }
  if (keepReading()) {
    const int32_t lastLineVerdict = parser.Finish(lines);
    if (lastLineVerdict != kVerdictNone) verdict = lastLineVerdict;
  }

  DWORD exitCode = 0;
  child.WaitForExit(exitCode);  // the exit code itself says nothing about the outcome
  return true;
}
