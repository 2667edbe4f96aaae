#include "install/line_protocol_parser.h"

#include "install/install_codes.h"
#include "install/protocol_values.h"

int32_t LineProtocolParser::Parse(const std::wstring& text) {
  int32_t verdict = kVerdictNone;
  size_t begin = 0;
  for (;;) {
    const size_t end = text.find(L'\n', begin);
    const int32_t lineVerdict = ParseLine(text.substr(begin, end == std::wstring::npos ? std::wstring::npos : end - begin));
    if (lineVerdict != kVerdictNone) verdict = lineVerdict;
    if (end == std::wstring::npos) break;
    begin = end + 1;
  }
  return verdict;
}

int32_t LineProtocolParser::Feed(OutputLineAssembler& lines, const char* data, size_t size) {
  lines.Append(data, size);
  int32_t verdict = kVerdictNone;
  std::string line;
  while (lines.NextLine(line)) {
    const int32_t lineVerdict = ParseBytes(line);
    if (lineVerdict != kVerdictNone) verdict = lineVerdict;
  }
  return verdict;
}

int32_t LineProtocolParser::Finish(OutputLineAssembler& lines) {
  std::string line;
  return lines.TakeRest(line) ? ParseBytes(line) : kVerdictNone;
}

int32_t LineProtocolParser::ParseBytes(const std::string& bytes) {
  if (bytes.empty()) return kVerdictNone;
  return ParseLine(InstallProtocol::DecodeProtocolBytes(bytes, m_CodePage));
}
