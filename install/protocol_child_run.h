#pragma once

// One run of a program that speaks a line protocol (the package, the
// previous uninstaller): starts it hidden, feeds its output to the parser,
// which reports as it goes, and waits without limit for it to end. Runs on
// the calling runner's thread; the child never outlives the call.

#include <cstdint>
#include <string>

#include "install/line_protocol_parser.h"

enum class ProtocolReading {
  UntilVerdict,  // stop reading at the first verdict line
  ToTheEnd,      // read until the output ends, whatever it says
};

// False when the pipes or the process could not be created (nothing was
// parsed then). Otherwise true, with the last verdict seen in `verdict`
// (kVerdictNone when there was none).
bool RunProtocolChild(const std::wstring& commandLine, LineProtocolParser& parser, ProtocolReading reading,
                      int32_t& verdict);
