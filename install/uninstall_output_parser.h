#pragma once

// The previous uninstaller's smaller output protocol: "Progress=",
// "Error=", "State=" and "Encode=" (which knows only "UTF8").

#include "install/line_protocol_parser.h"

class UninstallOutputParser : public LineProtocolParser {
 public:
  using LineProtocolParser::LineProtocolParser;

  int32_t ParseLine(const std::wstring& line) override;
};
