#include "uiframework/container.h"

#include <algorithm>

#include "uiframework/attribute_parse.h"
#include "uiframework/control_host.h"
#include "uiframework/skin_constants.h"

namespace SkinUI {

std::vector<std::pair<int, int>> DistributeLine(int length, const std::vector<LineItem>& items) {
  int fixed = 0;
  int flexible = 0;
  for (const LineItem& item : items) {
    fixed += item.LeadMargin + item.TrailMargin + std::max(item.Size, 0);
    if (item.Size <= 0) ++flexible;
  }
  const long long spare = std::max(0, length - fixed);
  std::vector<std::pair<int, int>> placed;  // (start, size)
  placed.reserve(items.size());
  int cursor = 0;
  int flexIndex = 0;
  for (const LineItem& item : items) {
    int size = item.Size;
    if (size <= 0) {
      size = static_cast<int>(spare * (flexIndex + 1) / flexible - spare * flexIndex / flexible);
      ++flexIndex;
    }
    cursor += item.LeadMargin;
    placed.emplace_back(cursor, size);
    cursor += size + item.TrailMargin;
  }
  return placed;
}

namespace {

// Position of a child across the line: its fixed size at the start (or centred)
// after its margins, or all of the space between them.
void PlaceAcross(int start, int length, int lead, int trail, int fixed, bool centered, int& outStart,
                 int& outSize) {
  const int space = std::max(0, length - lead - trail);
  outSize = fixed > 0 ? std::min(fixed, space) : space;
  outStart = start + lead + (centered ? (space - outSize) / 2 : 0);
}

// The linear layouts: the visible children one after another down (vertical)
// or across (horizontal) the inner area, each placed across the line on its own.
void PlaceInLine(const std::vector<std::unique_ptr<CControlUI>>& children, const RECT& inner, bool vertical) {
  std::vector<CControlUI*> shown;
  std::vector<LineItem> line;
  for (const auto& child : children) {
    if (!child->IsVisible()) continue;
    const RECT& pad = child->GetPadding();
    shown.push_back(child.get());
    line.push_back(vertical ? LineItem{child->GetFixedHeight(), static_cast<int>(pad.top), static_cast<int>(pad.bottom)}
                            : LineItem{child->GetFixedWidth(), static_cast<int>(pad.left), static_cast<int>(pad.right)});
  }
  const int lineStart = vertical ? inner.top : inner.left;
  const auto placed = DistributeLine(vertical ? inner.bottom - inner.top : inner.right - inner.left, line);
  for (size_t i = 0; i < shown.size(); ++i) {
    CControlUI& child = *shown[i];
    const RECT& pad = child.GetPadding();
    int across = 0, breadth = 0;
    if (vertical) {
      PlaceAcross(inner.left, inner.right - inner.left, pad.left, pad.right, child.GetFixedWidth(), child.IsCentered(),
                  across, breadth);
    } else {
      PlaceAcross(inner.top, inner.bottom - inner.top, pad.top, pad.bottom, child.GetFixedHeight(), child.IsCentered(),
                  across, breadth);
    }
    const int along = lineStart + placed[i].first;
    const int length = placed[i].second;
    child.SetPos(vertical ? RECT{across, along, across + breadth, along + length}
                          : RECT{along, across, along + length, across + breadth});
  }
}

}  // namespace

std::wstring CContainerUI::GetClass() const { return L"Container"; }

void* CContainerUI::GetInterface(const std::wstring& name) {
  return EqualsNoCase(name, L"Container") ? this : CControlUI::GetInterface(name);
}

void CContainerUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  RECT rect{};
  if (EqualsNoCase(name, L"inset")) {
    if (ParseRect(value, rect)) SetInset(rect);
  } else {
    CControlUI::SetAttribute(name, value);
  }
}

void CContainerUI::SetInset(const RECT& inset) {
  m_Inset = inset;
  NeedUpdate();
}

RECT CContainerUI::InnerRect() const {
  RECT inner{m_Pos.left + m_Inset.left, m_Pos.top + m_Inset.top, m_Pos.right - m_Inset.right,
             m_Pos.bottom - m_Inset.bottom};
  if (inner.right < inner.left) inner.right = inner.left;
  if (inner.bottom < inner.top) inner.bottom = inner.top;
  return inner;
}

void CContainerUI::SetPos(const RECT& rect) {
  CControlUI::SetPos(rect);
  const RECT inner = InnerRect();
  for (auto& child : m_Children) {
    const RECT& pad = child->GetPadding();
    RECT placed{};
    int start = 0, size = 0;
    PlaceAcross(inner.left, inner.right - inner.left, pad.left, pad.right, child->GetFixedWidth(),
                child->IsCentered(), start, size);
    placed.left = start;
    placed.right = start + size;
    PlaceAcross(inner.top, inner.bottom - inner.top, pad.top, pad.bottom, child->GetFixedHeight(),
                child->IsCentered(), start, size);
    placed.top = start;
    placed.bottom = start + size;
    child->SetPos(placed);
  }
}

void CContainerUI::SetHost(CControlHost* host, CContainerUI* parent) {
  CControlUI::SetHost(host, parent);
  for (auto& child : m_Children) child->SetHost(host, this);
}

CControlUI* CContainerUI::FindByName(const std::wstring& name) {
  if (CControlUI* self = CControlUI::FindByName(name)) return self;
  for (auto& child : m_Children)
    if (CControlUI* found = child->FindByName(name)) return found;
  return nullptr;
}

CControlUI* CContainerUI::FindControlAt(POINT point) {
  if (!m_Visible || !::PtInRect(&m_Pos, point)) return nullptr;
  // Later children paint over earlier ones, so they are hit first.
  for (auto it = m_Children.rbegin(); it != m_Children.rend(); ++it) {
    if (!IsChildShown(it->get())) continue;
    if (CControlUI* found = (*it)->FindControlAt(point)) return found;
  }
  return CControlUI::FindControlAt(point);
}

void CContainerUI::ForEach(const std::function<void(CControlUI&)>& visit) {
  visit(*this);
  for (auto& child : m_Children) child->ForEach(visit);
}

void CContainerUI::Paint(HDC dc, const RECT& clip) {
  RECT visible{};
  if (!::IntersectRect(&visible, &clip, &m_Pos)) return;
  CControlUI::Paint(dc, clip);
  for (auto& child : m_Children)
    if (child->IsVisible() && IsChildShown(child.get())) child->Paint(dc, visible);
}

void CContainerUI::Add(std::unique_ptr<CControlUI> child) {
  if (!child) return;
  child->SetHost(m_Host, this);
  m_Children.push_back(std::move(child));
  NeedUpdate();
}

CControlUI* CContainerUI::GetItemAt(int index) const {
  return (index >= 0 && index < GetCount()) ? m_Children[static_cast<size_t>(index)].get() : nullptr;
}

int CContainerUI::GetItemIndex(const CControlUI* child) const {
  for (size_t i = 0; i < m_Children.size(); ++i)
    if (m_Children[i].get() == child) return static_cast<int>(i);
  return -1;
}

bool CContainerUI::IsChildShown(const CControlUI*) const { return true; }

std::wstring CVerticalLayoutUI::GetClass() const { return L"VerticalLayout"; }

void* CVerticalLayoutUI::GetInterface(const std::wstring& name) {
  return EqualsNoCase(name, L"VerticalLayout") ? this : CContainerUI::GetInterface(name);
}

void CVerticalLayoutUI::SetPos(const RECT& rect) {
  CControlUI::SetPos(rect);
  PlaceInLine(m_Children, InnerRect(), true);
}

std::wstring CHorizontalLayoutUI::GetClass() const { return L"HorizontalLayout"; }

void* CHorizontalLayoutUI::GetInterface(const std::wstring& name) {
  return EqualsNoCase(name, L"HorizontalLayout") ? this : CContainerUI::GetInterface(name);
}

void CHorizontalLayoutUI::SetPos(const RECT& rect) {
  CControlUI::SetPos(rect);
  PlaceInLine(m_Children, InnerRect(), false);
}

std::wstring CTabLayoutUI::GetClass() const { return L"TabLayout"; }

void* CTabLayoutUI::GetInterface(const std::wstring& name) {
  return EqualsNoCase(name, L"TabLayout") ? this : CContainerUI::GetInterface(name);
}

void CTabLayoutUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
  int index = 0;
  if (EqualsNoCase(name, L"selectedid")) {
    if (ParseInt(value, index) && index >= 0) m_CurSel = index;
  } else {
    CContainerUI::SetAttribute(name, value);
  }
}

bool CTabLayoutUI::IsChildShown(const CControlUI* child) const { return GetItemIndex(child) == m_CurSel; }

bool CTabLayoutUI::SelectItem(int index, bool notify) {
  if (index == m_CurSel || index < 0 || index >= GetCount()) return false;
  const int previous = m_CurSel;
  if (m_Host) {
    if (CControlUI* page = GetItemAt(previous)) m_Host->ControlHidden(page);
  }
  m_CurSel = index;
  NeedUpdate();
  if (m_Host) {
    m_Host->InvalidateAll();
    if (notify) m_Host->SendNotify(this, kNotifyTabSelect, static_cast<WPARAM>(index), previous);
  }
  return true;
}

}  // namespace SkinUI
