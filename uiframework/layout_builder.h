#pragma once
// Builds a control tree from a layout (UTF-8 XML):
//   <Window size="600,400" caption="0,0,0,35" roundcorner="2,2" ...>
//     <Font id="0" name="微软雅黑" size="14" bold="false" default="true"/>
//     <VerticalLayout name="root" ...> controls... </VerticalLayout>
//   </Window>
// The Window element's attributes and fonts are kept for the window; its first
// control element is the root. Tags the framework does not know go to the
// builder callback. UI thread only.
#include <memory>
#include <string>
#include <vector>

#include "uiframework/control.h"
#include "uiframework/font_table.h"
#include "uiframework/notify.h"
#include "uiframework/resource_archive.h"
#include "uiframework/window_attributes.h"

namespace SkinUI {

struct FontDefinition {
  int Id = 0;
  FontSpec Style;
  bool IsDefault = false;
};

struct LayoutDocument {
  WindowAttributes Window;
  std::vector<FontDefinition> Fonts;
  std::unique_ptr<CControlUI> Root;
};

// False (with a reason) when the text is not well-formed XML, has no Window
// element or no control in it, or nests deeper than the framework accepts.
bool BuildLayout(const ByteBuffer& xml, IBuilderCallback* callback, LayoutDocument& document, std::wstring& error);

// The built-in control for a tag, or null for tags the framework lacks.
std::unique_ptr<CControlUI> CreateBuiltInControl(const std::wstring& tag);

std::wstring Utf8ToWide(const char* text);

}  // namespace SkinUI
