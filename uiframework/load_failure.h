#pragma once
// The end of the process when a window's resources cannot be loaded.
#include <string>

namespace SkinUI {

// Shows "加载资源文件失败" (title "SkinUI", error icon, no owner) and ends the
// process with exit code 1. The reason goes to the debugger output only.
[[noreturn]] void ExitWithLoadFailure(const std::wstring& reason);

}  // namespace SkinUI
