#include "install/package_output_parser.h"

#include "core/debug_log.h"
#include "install/install_codes.h"
#include "install/protocol_values.h"

using namespace InstallProtocol;

namespace {

double StartupStyleNumber(const std::wstring& style) {
  if (style == ProtocolValue::kAutoStartup) return 1.0;
  if (style == ProtocolValue::kUserStartup) return 2.0;
  return 0.0;  // "NonStartup" and anything unknown
}

// Delays arrive as signed numbers and are used as unsigned milliseconds.
double DelayValue(int32_t number) { return static_cast<double>(static_cast<uint32_t>(number)); }

}  // namespace

int32_t PackageOutputParser::ParseLine(const std::wstring& line) {
  using namespace ProtocolKey;
  if (StartsWithKey(line, kProgress)) {
    Report(IST_CODE_PROGRESS, NumberValue(line, kProgress), L"");
  } else if (StartsWithKey(line, kInstPath)) {
    Report(IST_INFO_INST_PATH, 0.0, TextValue(line, kInstPath).c_str());
  } else if (StartsWithKey(line, kState)) {
    const std::wstring state = TrimmedValue(line, kState);
    if (state == ProtocolValue::kSuccess) {
      Report(IST_CODE_SUCCESS, InstallValue::kVerdictLine, L"");
      return kVerdictSuccess;
    }
    if (state == ProtocolValue::kFail) {
      Report(IST_CODE_FAIL, InstallValue::kVerdictLine, InstallText::kPackageFailed);
      return kVerdictFailure;
    }
  } else if (StartsWithKey(line, kInstallVersion)) {
    // Recognised so that it is not mistaken for anything else; not used.
  } else if (StartsWithKey(line, kExePath)) {
    const std::wstring path = TextValue(line, kExePath);
    LOG_LINE(L"CInstaller::Parse", L"ExePath: %s", path.c_str());
    Report(IST_INFO_EXE_PATH, 0.0, path.c_str());
  } else if (StartsWithKey(line, kStartExe)) {
    Report(IST_INFO_EXE_PATH, 0.0, TextValue(line, kStartExe).c_str());
  } else if (StartsWithKey(line, kUninstExePath)) {
    Report(IST_INFO_UNINST_EXE, 0.0, TextValue(line, kUninstExePath).c_str());
  } else if (StartsWithKey(line, kUninstExe)) {
    Report(IST_INFO_UNINST_EXE, 0.0, TextValue(line, kUninstExe).c_str());
  } else if (StartsWithKey(line, kUninstEp)) {
    Report(IST_INFO_UNINST_EP, 0.0, TextValue(line, kUninstEp).c_str());
  } else if (StartsWithKey(line, kError)) {
    Report(IST_CODE_FAIL, InstallValue::kErrorLine, TextValue(line, kError).c_str());
    return kVerdictFailure;
  } else if (StartsWithKey(line, kTopShowDetention)) {
    Report(IST_INFO_TOP_DETENTION, DelayValue(IntegerValue(line, kTopShowDetention)), L"");
  } else if (StartsWithKey(line, kFinishCloseDetention)) {
    Report(IST_INFO_CLOSE_DETENTION, DelayValue(IntegerValue(line, kFinishCloseDetention)), L"");
  } else if (StartsWithKey(line, kStartUrl)) {
    Report(IST_INFO_START_URL, 0.0, TextValue(line, kStartUrl).c_str());
  } else if (StartsWithKey(line, kStartupStyle)) {
    Report(IST_INFO_STARTUP_STYLE, StartupStyleNumber(TrimmedValue(line, kStartupStyle)), L"");
  } else if (StartsWithKey(line, kEncode)) {
    m_CodePage = PackageCodePage(TrimmedValue(line, kEncode));
  } else if (StartsWithKey(line, kMessage)) {
    Report(IST_INFO_MESSAGE, 0.0, TextValue(line, kMessage).c_str());
  }
  return kVerdictNone;
}
