#include "uiframework/layout_builder.h"

#include <windows.h>

#include <pugixml.hpp>

#include "uiframework/attribute_parse.h"
#include "uiframework/button.h"
#include "uiframework/check_box.h"
#include "uiframework/combo.h"
#include "uiframework/container.h"
#include "uiframework/edit.h"
#include "uiframework/label.h"
#include "uiframework/progress.h"
#include "uiframework/skin_constants.h"

namespace SkinUI {
namespace {

constexpr int kMaxDepth = 64;

std::unique_ptr<CControlUI> BuildControl(const pugi::xml_node& node, IBuilderCallback* callback, int depth,
                                         std::wstring& error) {
  if (depth > kMaxDepth) {
    error = L"layout nested too deeply";
    return nullptr;
  }
  const std::wstring tag = Utf8ToWide(node.name());
  std::unique_ptr<CControlUI> control = CreateBuiltInControl(tag);
  if (!control && callback) control.reset(callback->CreateControl(tag));
  if (!control) return nullptr;  // unknown tags are left out

  for (const pugi::xml_attribute& attribute : node.attributes())
    control->SetAttribute(Utf8ToWide(attribute.name()), Utf8ToWide(attribute.value()));

  auto* container = static_cast<CContainerUI*>(control->GetInterface(L"Container"));
  auto* combo = static_cast<CComboUI*>(control->GetInterface(L"Combo"));
  for (const pugi::xml_node& child : node.children()) {
    if (child.type() != pugi::node_element) continue;
    if (combo && EqualsNoCase(Utf8ToWide(child.name()), L"Item")) {
      combo->AddItem(Utf8ToWide(child.attribute("text").value()));
      continue;
    }
    if (!container) continue;
    std::unique_ptr<CControlUI> built = BuildControl(child, callback, depth + 1, error);
    if (!error.empty()) return nullptr;
    container->Add(std::move(built));
  }
  return control;
}

FontDefinition ReadFont(const pugi::xml_node& node) {
  FontDefinition font;
  int number = 0;
  if (ParseInt(Utf8ToWide(node.attribute("id").value()), number)) font.Id = number;
  font.Style.Family = Utf8ToWide(node.attribute("name").value());
  if (ParseInt(Utf8ToWide(node.attribute("size").value()), number) && number > 0 && number < 1000)
    font.Style.Size = number;
  font.Style.Bold = ParseBool(Utf8ToWide(node.attribute("bold").value()), false);
  font.Style.Italic = ParseBool(Utf8ToWide(node.attribute("italic").value()), false);
  font.Style.Underline = ParseBool(Utf8ToWide(node.attribute("underline").value()), false);
  font.IsDefault = ParseBool(Utf8ToWide(node.attribute("default").value()), false);
  return font;
}

}  // namespace

std::wstring Utf8ToWide(const char* text) {
  if (!text || !*text) return std::wstring();
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  if (length <= 1) return std::wstring();
  std::wstring wide(static_cast<size_t>(length - 1), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text, -1, &wide[0], length);
  return wide;
}

std::unique_ptr<CControlUI> CreateBuiltInControl(const std::wstring& tag) {
  if (EqualsNoCase(tag, L"Control")) return std::make_unique<CControlUI>();
  if (EqualsNoCase(tag, L"Container")) return std::make_unique<CContainerUI>();
  if (EqualsNoCase(tag, L"VerticalLayout")) return std::make_unique<CVerticalLayoutUI>();
  if (EqualsNoCase(tag, L"HorizontalLayout")) return std::make_unique<CHorizontalLayoutUI>();
  if (EqualsNoCase(tag, L"TabLayout")) return std::make_unique<CTabLayoutUI>();
  if (EqualsNoCase(tag, L"Label")) return std::make_unique<CLabelUI>();
  if (EqualsNoCase(tag, L"Button")) return std::make_unique<CButtonUI>();
  if (EqualsNoCase(tag, L"CheckBox")) return std::make_unique<CCheckBoxUI>();
  if (EqualsNoCase(tag, L"Edit")) return std::make_unique<CEditUI>();
  if (EqualsNoCase(tag, L"Combo")) return std::make_unique<CComboUI>();
  if (EqualsNoCase(tag, L"Progress")) return std::make_unique<CProgressUI>();
  return nullptr;
}

bool BuildLayout(const ByteBuffer& xml, IBuilderCallback* callback, LayoutDocument& document, std::wstring& error) {
  error.clear();
  pugi::xml_document parsed;
  const pugi::xml_parse_result result = parsed.load_buffer(xml.data(), xml.size(), pugi::parse_default,
                                                           pugi::encoding_utf8);
  if (!result) {
    error = L"malformed layout: " + Utf8ToWide(result.description());
    return false;
  }
  const pugi::xml_node window = parsed.document_element();
  if (!EqualsNoCase(Utf8ToWide(window.name()), kTagWindow)) {
    error = L"layout has no Window element";
    return false;
  }
  document = LayoutDocument{};
  for (const pugi::xml_attribute& attribute : window.attributes())
    document.Window.Set(Utf8ToWide(attribute.name()), Utf8ToWide(attribute.value()));
  for (const pugi::xml_node& child : window.children()) {
    if (child.type() != pugi::node_element) continue;
    if (EqualsNoCase(Utf8ToWide(child.name()), kTagFont)) {
      document.Fonts.push_back(ReadFont(child));
      continue;
    }
    if (document.Root) continue;
    document.Root = BuildControl(child, callback, 1, error);
    if (!error.empty()) return false;
  }
  if (!document.Root) {
    error = L"layout has no control";
    return false;
  }
  return true;
}

}  // namespace SkinUI
