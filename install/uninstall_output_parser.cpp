#include "install/uninstall_output_parser.h"

#include "install/install_codes.h"
#include "install/protocol_values.h"

using namespace InstallProtocol;

int32_t UninstallOutputParser::ParseLine(const std::wstring& line) {
  using namespace ProtocolKey;
  if (StartsWithKey(line, kProgress)) {
    Report(UNIST_CODE_PROGRESS, NumberValue(line, kProgress), L"");
  } else if (StartsWithKey(line, kError)) {
    Report(UNIST_CODE_ERROR, 0.0, TextValue(line, kError).c_str());
    return kVerdictFailure;
  } else if (StartsWithKey(line, kState)) {
    const std::wstring state = TrimmedValue(line, kState);
    if (state == ProtocolValue::kSuccess) {
      Report(UNIST_CODE_SUCCESS, InstallValue::kVerdictLine, L"");
      return kVerdictSuccess;
    }
    if (state == ProtocolValue::kFail) {
      Report(UNIST_CODE_ERROR, 0.0, InstallText::kUninstallFailed);
      return kVerdictFailure;
    }
  } else if (StartsWithKey(line, kEncode)) {
    m_CodePage = UninstallerCodePage(TrimmedValue(line, kEncode));
  }
  return kVerdictNone;
}
