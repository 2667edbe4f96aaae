#include "utils/guid_string.h"

#include <windows.h>
#include <objbase.h>

#include <cwchar>

namespace Utils {

std::wstring FormatGuidString(const GUID& guid) {
  wchar_t buffer[50] = {};
  std::swprintf(buffer, 50, L"%08lX%04X%04x%02X%02X%02X%02X%02X%02X%02X%02X",
                static_cast<unsigned long>(guid.Data1), static_cast<unsigned>(guid.Data2),
                static_cast<unsigned>(guid.Data3), guid.Data4[0], guid.Data4[1], guid.Data4[2],
                guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  return buffer;
}

std::wstring CreateGuidString() {
  GUID guid = {};
  (void)::CoCreateGuid(&guid);  // a failure leaves the zero GUID, still 32 digits
  return FormatGuidString(guid);
}

}  // namespace Utils
