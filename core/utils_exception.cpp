#include "core/utils_exception.h"

#include <windows.h>

#include "utils/text_convert.h"

namespace Utils {

Exception::Exception(const std::wstring& message) : m_Message(WideToMultiByte(message, CP_ACP)) {}

}  // namespace Utils
