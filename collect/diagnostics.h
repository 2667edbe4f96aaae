#pragma once

#include <string>

// Where the collection core reports: complaints about input and failed
// uploads go to standard error, one line each; the upload failure also goes
// to the debugger output. Any thread.
namespace beacon_analytics {
namespace diagnostics {

void WriteErrorLine(const std::string& line);
void WriteDebugger(const wchar_t* text);

}  // namespace diagnostics
}  // namespace beacon_analytics
