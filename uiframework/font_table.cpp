#include "uiframework/font_table.h"

#include <cwchar>

namespace SkinUI {
namespace {

int CALLBACK FoundFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

}  // namespace

bool IsFontFamilyAvailable(const std::wstring& family) {
  if (family.empty() || family.size() >= LF_FACESIZE) return false;
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(query.lfFaceName, family.c_str(), LF_FACESIZE - 1);
  ScopedScreenDC screen;
  bool found = false;
  ::EnumFontFamiliesExW(screen.Get(), &query, FoundFamily, reinterpret_cast<LPARAM>(&found), 0);
  if (found) return true;
  // Registry substitutes ("微软雅黑" -> an installed family) are not always
  // enumerated under their own name; the mapper's choice tells.
  UniqueFont font(::CreateFontIndirectW(&query));
  ScopedSelectObject select(screen.Get(), font.Get());
  wchar_t face[LF_FACESIZE] = {};
  ::GetTextFaceW(screen.Get(), LF_FACESIZE, face);
  return _wcsicmp(face, family.c_str()) == 0;
}

std::wstring DefaultUiFontFamily() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) &&
      metrics.lfMessageFont.lfFaceName[0])
    return metrics.lfMessageFont.lfFaceName;
  LOGFONTW gui{};
  if (::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui) && gui.lfFaceName[0])
    return gui.lfFaceName;
  return L"Tahoma";
}

void CFontTable::Add(int id, const FontSpec& style, bool makeDefault) {
  Entry& entry = m_Fonts[id];
  entry.Style = style;
  entry.Font.Reset();
  if (makeDefault || m_DefaultId < 0) m_DefaultId = id;
}

CFontTable::Entry& CFontTable::Resolve(int id) {
  auto it = m_Fonts.find(id);
  if (it == m_Fonts.end()) it = m_Fonts.find(m_DefaultId);
  Entry& entry = it != m_Fonts.end() ? it->second : m_Fallback;
  if (!entry.Font) Realize(entry);
  return entry;
}

void CFontTable::Realize(Entry& entry) {
  if (!IsFontFamilyAvailable(entry.Style.Family)) entry.Style.Family = DefaultUiFontFamily();
  LOGFONTW font{};
  font.lfHeight = -(entry.Style.Size > 0 ? entry.Style.Size : 12);
  font.lfWeight = entry.Style.Bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = entry.Style.Italic;
  font.lfUnderline = entry.Style.Underline;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy(font.lfFaceName, entry.Style.Family.c_str(), LF_FACESIZE - 1);
  entry.Font.Reset(::CreateFontIndirectW(&font));
  if (!entry.Font) entry.Font.Reset(::CreateFontW(font.lfHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                                   0, 0, L"Tahoma"));
  ScopedScreenDC screen;
  ScopedSelectObject select(screen.Get(), entry.Font.Get());
  TEXTMETRICW metrics{};
  entry.LineHeight = ::GetTextMetricsW(screen.Get(), &metrics) ? metrics.tmHeight : entry.Style.Size;
}

HFONT CFontTable::Get(int id) { return Resolve(id).Font.Get(); }

int CFontTable::LineHeight(int id) { return Resolve(id).LineHeight; }

std::wstring CFontTable::FamilyOf(int id) { return Resolve(id).Style.Family; }

}  // namespace SkinUI
