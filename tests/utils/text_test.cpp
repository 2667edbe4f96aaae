#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "utils/text_convert.h"
#include "utils/text_utils.h"
#include "utils/url_encode.h"

namespace {

std::string Narrow(const std::wstring& text) { return Utils::WideToMultiByte(text, CP_UTF8); }

TEST(TextHelpers, UrlEncode_KeepsPrintableAsciiAndEscapesTheRest) {
  struct Row { const char* name; std::string input; std::string expected; };
  const Row rows[] = {
      {"space amp slash umlaut", "a b&c/\xC3\xBC", "a+b&c/%C3%BC"},
      {"reserved untouched", "http://h/p?a=1&b=%20+", "http://h/p?a=1&b=%20+"},
      {"control and DEL", std::string("\t\n\x7F", 3), "%09%0A%7F"},
      {"NUL byte", std::string("a\0b", 3), "a%00b"},
      {"empty", "", ""},
  };
  for (const auto& row : rows) EXPECT_EQ(Utils::UrlEncode(row.input), row.expected) << row.name;
  EXPECT_EQ(Utils::UrlEncodeWide(L"a b&c/\u00FC"), L"a+b&c/%C3%BC");
  EXPECT_EQ(Utils::UrlEncodeWide(L"\u62D3\u82AE"), L"%E6%8B%93%E8%8A%AE");
}

TEST(TextHelpers, Trim_RemovesCLocaleWhiteSpaceOnly) {
  struct Row { const wchar_t* input; const wchar_t* left; const wchar_t* right; const wchar_t* both; };
  const Row rows[] = {
      {L" \t\r\n\v\fx y \r\n", L"x y \r\n", L" \t\r\n\v\fx y", L"x y"},
      {L"", L"", L"", L""},
      {L" \t ", L"", L"", L""},
      {L"\u3000x\u00A0", L"\u3000x\u00A0", L"\u3000x\u00A0", L"\u3000x\u00A0"},  // not C white space
  };
  for (const auto& row : rows) {
    const std::string name = Narrow(row.input);
    EXPECT_EQ(Utils::TrimLeft(row.input), row.left) << name;
    EXPECT_EQ(Utils::TrimRight(row.input), row.right) << name;
    EXPECT_EQ(Utils::Trim(row.input), row.both) << name;
  }
}

TEST(TextHelpers, ReplaceAll_RepeatsUntilNoOccurrenceIsLeft) {
  struct Row { const wchar_t* text; const wchar_t* pattern; const wchar_t* replacement; const wchar_t* expected; };
  const Row rows[] = {
      {L"http://x/${ROUTE}/a/${ROUTE}", L"${ROUTE}", L"download_silent", L"http://x/download_silent/a/download_silent"},
      {L"aabb", L"ab", L"", L""},           // removal joins a new occurrence
      {L"a\\\\\\b", L"\\\\", L"\\", L"a\\b"},  // collapsing doubled separators
      {L"abc", L"x", L"y", L"abc"},
      {L"abc", L"", L"y", L"abc"},           // empty pattern: nothing to find
      {L"", L"a", L"b", L""},
      {L"aa", L"a", L"aa", L"aaaa"},         // replacement holds the pattern: one pass, no endless loop
      {L"xax", L"a", L"[a]", L"x[a]x"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Utils::ReplaceAll(row.text, row.pattern, row.replacement), row.expected)
        << Narrow(row.text) << " / " << Narrow(row.pattern);
  }
}

TEST(TextHelpers, ToWString_DecimalWithoutSignOrPadding) {
  EXPECT_EQ(Utils::ToWString(0), L"0");
  EXPECT_EQ(Utils::ToWString(65536), L"65536");
  EXPECT_EQ(Utils::ToWString(4294967295u), L"4294967295");
}

TEST(TextHelpers, CodePageConversions_RoundTripAndFailEmpty) {
  const std::wstring chinese = L"\u62D3\u82AE\u7535\u5B50\u4E66\u8F6C\u6362\u5668";
  const std::string utf8 = Utils::WideToMultiByte(chinese, CP_UTF8);
  EXPECT_EQ(utf8, "\xE6\x8B\x93\xE8\x8A\xAE\xE7\x94\xB5\xE5\xAD\x90\xE4\xB9\xA6\xE8\xBD\xAC\xE6\x8D\xA2\xE5\x99\xA8");
  EXPECT_EQ(Utils::MultiByteToWide(utf8, CP_UTF8), chinese);
  EXPECT_EQ(Utils::MultiByteToWide("", CP_UTF8), L"");
  EXPECT_EQ(Utils::WideToMultiByte(L"", CP_ACP), "");
  // An invalid code page cannot convert: empty, not a crash.
  EXPECT_EQ(Utils::MultiByteToWide("abc", 12345), L"");
  EXPECT_EQ(Utils::WideToMultiByte(L"abc", 12345), "");
  // Embedded NUL bytes survive.
  EXPECT_EQ(Utils::MultiByteToWide(std::string("a\0b", 3), CP_UTF8), std::wstring(L"a\0b", 3));
  // UTF-8 to the ANSI code page goes through wide characters.
  EXPECT_EQ(Utils::Utf8ToAnsi("plain ascii"), "plain ascii");
  EXPECT_EQ(Utils::Utf8ToAnsi(utf8), Utils::WideToMultiByte(chinese, CP_ACP));
}

}  // namespace
