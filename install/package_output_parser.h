#pragma once

// The package's output protocol: "Progress=", "State=", "Error=", the
// information keys and "Encode=". Every recognised line is reported at once
// through the callback; the verdict goes back to the package runner, which
// decides when to stop reading.

#include "install/line_protocol_parser.h"

class PackageOutputParser : public LineProtocolParser {
 public:
  using LineProtocolParser::LineProtocolParser;

  int32_t ParseLine(const std::wstring& line) override;
};
