// The package's and the uninstaller's output protocols on strings and on
// byte reads, without any process.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/install_codes.h"
#include "install/output_lines.h"
#include "install/package_output_parser.h"
#include "install/uninstall_output_parser.h"
#include "report_recorder.h"

namespace {

struct ParseRow {
  const char* name;
  std::wstring text;
  std::vector<Report> reports;
  int32_t verdict;
};

template <typename Parser>
void CheckRows(const std::vector<ParseRow>& rows) {
  for (const auto& row : rows) {
    ReportRecorder recorder;
    Parser parser(recorder.Callback());
    EXPECT_EQ(parser.Parse(row.text), row.verdict) << row.name;
    EXPECT_EQ(recorder.Reports(), row.reports) << row.name;
  }
}

const std::wstring kFailText = InstallText::kPackageFailed;

TEST(PackageProtocol, PackageProtocol_EveryKeyAndValueRule) {
  const std::wstring longest(kMaxProtocolText, L'v');
  CheckRows<PackageOutputParser>({
      {"progress", L"Progress=0.5", {{IST_CODE_PROGRESS, 0.5, L""}}, 0},
      {"progress blanks and tail", L"Progress= 0.25x", {{IST_CODE_PROGRESS, 0.25, L""}}, 0},
      {"progress no number", L"Progress=abc", {{IST_CODE_PROGRESS, 0.0, L""}}, 0},
      {"progress not finite", L"Progress=nan", {{IST_CODE_PROGRESS, 0.0, L""}}, 0},
      {"inst path keeps CR", L"InstPath=C:\\x\r", {{IST_INFO_INST_PATH, 0.0, L"C:\\x\r"}}, 0},
      {"state success", L"State=Success", {{IST_CODE_SUCCESS, 0.0, L""}}, kVerdictSuccess},
      {"state trimmed", L"State= Success \r", {{IST_CODE_SUCCESS, 0.0, L""}}, kVerdictSuccess},
      {"state case", L"State=success", {}, 0},
      {"state other", L"State=Running", {}, 0},
      {"state fail", L"State=Fail", {{IST_CODE_FAIL, 0.0, kFailText}}, kVerdictFailure},
      {"success then error", L"State=Success\nError=x",
       {{IST_CODE_SUCCESS, 0.0, L""}, {IST_CODE_FAIL, 1000.0, L"x"}}, kVerdictFailure},
      {"last verdict decides", L"Error=x\nState=Success",
       {{IST_CODE_FAIL, 1000.0, L"x"}, {IST_CODE_SUCCESS, 0.0, L""}}, kVerdictSuccess},
      {"error", L"Error=disk full", {{IST_CODE_FAIL, 1000.0, L"disk full"}}, kVerdictFailure},
      {"error empty", L"Error=", {{IST_CODE_FAIL, 1000.0, L""}}, kVerdictFailure},
      {"install version", L"InstallVersion=1.2.3", {}, 0},
      {"exe path", L"ExePath=C:\\p\\a.exe", {{IST_INFO_EXE_PATH, 0.0, L"C:\\p\\a.exe"}}, 0},
      {"start exe", L"StartExe=b.exe", {{IST_INFO_EXE_PATH, 0.0, L"b.exe"}}, 0},
      {"uninst exe path", L"UninstExePath=u1", {{IST_INFO_UNINST_EXE, 0.0, L"u1"}}, 0},
      {"uninst exe", L"UninstExe=u2", {{IST_INFO_UNINST_EXE, 0.0, L"u2"}}, 0},
      {"uninst ep", L"UninstEp=D:\\App\\uninst.ep", {{IST_INFO_UNINST_EP, 0.0, L"D:\\App\\uninst.ep"}}, 0},
      {"top delay", L"TopShowDetention=1500", {{IST_INFO_TOP_DETENTION, 1500.0, L""}}, 0},
      {"top delay no number", L"TopShowDetention=abc", {{IST_INFO_TOP_DETENTION, 0.0, L""}}, 0},
      {"top delay negative", L"TopShowDetention=-1", {{IST_INFO_TOP_DETENTION, 4294967295.0, L""}}, 0},
      {"top delay too large", L"TopShowDetention=99999999999", {{IST_INFO_TOP_DETENTION, 0.0, L""}}, 0},
      {"close delay", L"FinsihCloseDetention=200", {{IST_INFO_CLOSE_DETENTION, 200.0, L""}}, 0},
      {"close delay other spelling", L"FinishCloseDetention=200", {}, 0},
      {"start url", L"StartUrl=https://x.example/a", {{IST_INFO_START_URL, 0.0, L"https://x.example/a"}}, 0},
      {"startup auto", L"StartupStyle= AutoStartup ", {{IST_INFO_STARTUP_STYLE, 1.0, L""}}, 0},
      {"startup user", L"StartupStyle=UserStartup\r", {{IST_INFO_STARTUP_STYLE, 2.0, L""}}, 0},
      {"startup none", L"StartupStyle=NonStartup", {{IST_INFO_STARTUP_STYLE, 0.0, L""}}, 0},
      {"startup unknown", L"StartupStyle=Later", {{IST_INFO_STARTUP_STYLE, 0.0, L""}}, 0},
      {"message", L"Message=hello", {{IST_INFO_MESSAGE, 0.0, L"hello"}}, 0},
      {"message empty", L"Message=", {{IST_INFO_MESSAGE, 0.0, L""}}, 0},
      {"longest value", L"Message=" + longest, {{IST_INFO_MESSAGE, 0.0, longest}}, 0},
      {"too long value", L"Message=" + longest + L"v", {{IST_INFO_MESSAGE, 0.0, L""}}, 0},
      {"key not at start", L" Progress=0.5", {}, 0},
      {"key case", L"progress=0.5", {}, 0},
      {"unknown and empty lines", L"Hello=1\n\n\r\nState", {}, 0},
      {"several lines", L"Progress=0.1\nInstPath=D:\\A\nProgress=1",
       {{IST_CODE_PROGRESS, 0.1, L""}, {IST_INFO_INST_PATH, 0.0, L"D:\\A"}, {IST_CODE_PROGRESS, 1.0, L""}}, 0},
  });
}

TEST(PackageProtocol, PackageProtocol_EncodeSelectsTheCodePage) {
  struct Row { std::wstring line; uint32_t codePage; };
  const Row rows[] = {
      {L"Encode=UTF8", 65001},  {L"Encode= UTF8 \r", 65001}, {L"Encode=utf8", 0},
      {L"Encode=ACP", 0},       {L"Encode=936", 936},        {L"Encode=936abc", 936},
      {L"Encode=abc", 0},       {L"Encode=-5", 0},           {L"Encode=99999999999", 0},
      {L"Encode=", 0},
  };
  for (const auto& row : rows) {
    PackageOutputParser parser(nullptr);
    parser.Parse(L"Encode=1252");
    EXPECT_EQ(parser.Parse(row.line), 0);
    EXPECT_EQ(parser.CodePage(), row.codePage) << std::string(row.line.begin(), row.line.end());
  }
}

TEST(UninstallProtocol, UninstallProtocol_EveryKeyAndValueRule) {
  CheckRows<UninstallOutputParser>({
      {"progress", L"Progress=0.3", {{UNIST_CODE_PROGRESS, 0.3, L""}}, 0},
      {"progress no number", L"Progress=", {{UNIST_CODE_PROGRESS, 0.0, L""}}, 0},
      {"error", L"Error=files in use\r", {{UNIST_CODE_ERROR, 0.0, L"files in use\r"}}, kVerdictFailure},
      {"state success", L"State= Success", {{UNIST_CODE_SUCCESS, 0.0, L""}}, kVerdictSuccess},
      {"state fail", L"State=Fail", {{UNIST_CODE_ERROR, 0.0, InstallText::kUninstallFailed}}, kVerdictFailure},
      {"state other", L"State=Busy", {}, 0},
      {"package keys are not its own", L"InstPath=D:\\A\nMessage=m\nExePath=x", {}, 0},
      {"last verdict decides", L"State=Fail\nState=Success",
       {{UNIST_CODE_ERROR, 0.0, InstallText::kUninstallFailed}, {UNIST_CODE_SUCCESS, 0.0, L""}}, kVerdictSuccess},
  });
  const struct { std::wstring line; uint32_t codePage; } encodings[] = {
      {L"Encode=UTF8\r", 65001}, {L"Encode=936", 0}, {L"Encode=ACP", 0}};
  for (const auto& row : encodings) {
    UninstallOutputParser parser(nullptr);
    parser.Parse(L"Encode=UTF8");
    parser.Parse(row.line);
    EXPECT_EQ(parser.CodePage(), row.codePage);
  }
}

// Feeds `reads` one by one, as separate pipe reads, then ends the output.
std::vector<Report> FeedReads(LineProtocolParser& parser, ReportRecorder& recorder,
                              const std::vector<std::string>& reads, std::vector<int32_t>* verdicts = nullptr) {
  OutputLineAssembler lines;
  for (const auto& read : reads) {
    const int32_t verdict = parser.Feed(lines, read.data(), read.size());
    if (verdicts) verdicts->push_back(verdict);
  }
  const int32_t last = parser.Finish(lines);
  if (verdicts) verdicts->push_back(last);
  return recorder.Reports();
}

TEST(PackageProtocol, PackageProtocol_LinesAndCharactersSplitBetweenReadsAreJoined) {
  const std::wstring tuoRui = L"\u62d3\u82ae";  // the product's display name starts so
  struct Row {
    const char* name;
    std::vector<std::string> reads;
    std::vector<Report> reports;
  };
  const Row rows[] = {
      {"verdict split", {"Sta", "te=Fa", "il\n"}, {{IST_CODE_FAIL, 0.0, kFailText}}},
      {"error split in the value", {"Error=disk ", "full\r\n"}, {{IST_CODE_FAIL, 1000.0, L"disk full\r"}}},
      {"utf-8 character split", {"Encode=UTF8\nMessage=\xE6\x8B", "\x93\xE8\x8A\xAE\n"},
       {{IST_INFO_MESSAGE, 0.0, tuoRui}}},
      // The announcement applies to the very next line, even in the same read.
      {"encode then text in one read", {"Encode=UTF8\nMessage=\xE6\x8B\x93\xE8\x8A\xAE\n"},
       {{IST_INFO_MESSAGE, 0.0, tuoRui}}},
      {"gbk", {"Encode=936\r\nMessage=\xCD\xD8\xDC\xC7\n"}, {{IST_INFO_MESSAGE, 0.0, tuoRui}}},
      {"unknown code page reads as ANSI", {"Encode=54321\nError=x\n"}, {{IST_CODE_FAIL, 1000.0, L"x"}}},
      {"last line without line feed", {"Progress=0.5\nState=Succ", "ess"},
       {{IST_CODE_PROGRESS, 0.5, L""}, {IST_CODE_SUCCESS, 0.0, L""}}},
      {"read ends at a zero byte", {std::string("Message=a\0b\n", 12), "\n"}, {{IST_INFO_MESSAGE, 0.0, L"a"}}},
  };
  for (const auto& row : rows) {
    ReportRecorder recorder;
    PackageOutputParser parser(recorder.Callback());
    EXPECT_EQ(FeedReads(parser, recorder, row.reads), row.reports) << row.name;
  }
}

TEST(PackageProtocol, PackageProtocol_EachReadReturnsTheVerdictOfTheLinesItCompleted) {
  ReportRecorder recorder;
  PackageOutputParser parser(recorder.Callback());
  std::vector<int32_t> verdicts;
  FeedReads(parser, recorder, {"Progress=0.5\nSta", "te=Success\nError=x\n", "State=Success"}, &verdicts);
  EXPECT_EQ(verdicts, (std::vector<int32_t>{0, kVerdictFailure, 0, kVerdictSuccess})) << "the last one ends the output";
}

TEST(UninstallProtocol, UninstallProtocol_LinesSplitBetweenReadsAreJoined) {
  ReportRecorder recorder;
  UninstallOutputParser parser(recorder.Callback());
  EXPECT_EQ(FeedReads(parser, recorder, {"Progress=0.", "5\nState=F", "ail"}),
            (std::vector<Report>{{UNIST_CODE_PROGRESS, 0.5, L""},
                                 {UNIST_CODE_ERROR, 0.0, InstallText::kUninstallFailed}}));
}

TEST(OutputLines, OutputLines_AnEndlessLineIsHandedOutInPieces) {
  OutputLineAssembler lines;
  const std::string block(OutputLineAssembler::kMaxPendingLine, 'x');
  std::string line;
  lines.Append(block.data(), block.size());
  EXPECT_FALSE(lines.NextLine(line));
  lines.Append("yy", 2);
  ASSERT_TRUE(lines.NextLine(line));
  EXPECT_EQ(line.size(), block.size() + 2);
  EXPECT_FALSE(lines.TakeRest(line));
}

}  // namespace
