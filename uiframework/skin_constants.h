#pragma once
// Names and texts the framework shares with the windows built on it.
#include <windows.h>

namespace SkinUI {

// Notification types sent by the framework's controls and windows.
inline constexpr wchar_t kNotifyClick[] = L"click";
inline constexpr wchar_t kNotifySelectChanged[] = L"selectchanged";
inline constexpr wchar_t kNotifyTabSelect[] = L"tabselect";
inline constexpr wchar_t kNotifyTimer[] = L"timer";
inline constexpr wchar_t kNotifyItemSelect[] = L"itemselect";
inline constexpr wchar_t kNotifyWindowInit[] = L"windowinit";
inline constexpr wchar_t kNotifyTextChanged[] = L"textchanged";
inline constexpr wchar_t kNotifySetFocus[] = L"setfocus";

// Buttons that every skin window handles by default.
inline constexpr wchar_t kCloseButton[] = L"closebtn";
inline constexpr wchar_t kMinimizeButton[] = L"minbtn";
inline constexpr wchar_t kMaximizeButton[] = L"maxbtn";
inline constexpr wchar_t kRestoreButton[] = L"restorebtn";

// Shown when a window's layout cannot be loaded or built; the process then
// ends with kLoadFailureExitCode.
inline constexpr wchar_t kLoadFailureText[] = L"加载资源文件失败";
inline constexpr wchar_t kLoadFailureTitle[] = L"SkinUI";
inline constexpr int kLoadFailureExitCode = 1;

// Window messages private to the framework, kept in the WM_APP range so that
// they never meet the application's WM_USER-based messages.
inline constexpr UINT kMsgAsyncNotify = WM_APP + 0x3A1;

// Layout tags of the built-in controls (compared without regard to case).
inline constexpr wchar_t kTagWindow[] = L"Window";
inline constexpr wchar_t kTagFont[] = L"Font";

}  // namespace SkinUI
