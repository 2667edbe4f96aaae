#include "utils/network_check.h"

#include <windows.h>
#include <objbase.h>
#include <netlistmgr.h>

#include "core/debug_log.h"
#include "core/scoped_handle.h"
#include "utils/utils_constants.h"

namespace Utils {
namespace {

// DCB00C01-570F-4A9B-8D69-199FDBA5723B and DCB00000-570F-4A9B-8D69-199FDBA5723B,
// spelt out so that no import library of GUIDs is needed.
const CLSID kNetworkListManagerClass = {0xDCB00C01, 0x570F, 0x4A9B, {0x8D, 0x69, 0x19, 0x9F, 0xDB, 0xA5, 0x72, 0x3B}};
const IID kNetworkListManagerInterface = {0xDCB00000, 0x570F, 0x4A9B, {0x8D, 0x69, 0x19, 0x9F, 0xDB, 0xA5, 0x72, 0x3B}};

}  // namespace

NetworkCheckResult ComposeNetworkCheckResult(std::uint32_t connectivityFlags, bool connectedToInternet) {
  const std::uint32_t flags = connectivityFlags & 0xFFFF;
  std::uint32_t verdict = NET_VERDICT_OK;
  if (flags == 0) {
    verdict = NET_VERDICT_NO_CONNECTIVITY;
  } else if (!connectedToInternet) {
    verdict = NET_VERDICT_NO_INTERNET;
  }
  return verdict * 65536u + flags;
}

NetworkCheckResult CheckNetwork() {
  NetworkCheckResult result = 0;
  {
    ScopedComPtr<INetworkListManager> manager;
    const HRESULT created = ::CoCreateInstance(kNetworkListManagerClass, nullptr, CLSCTX_ALL,
                                               kNetworkListManagerInterface,
                                               reinterpret_cast<void**>(manager.Receive()));
    if (FAILED(created) || !manager) return 0;

    NLM_CONNECTIVITY connectivity = NLM_CONNECTIVITY_DISCONNECTED;
    if (FAILED(manager.Get()->GetConnectivity(&connectivity))) connectivity = NLM_CONNECTIVITY_DISCONNECTED;
    const std::uint32_t flags = static_cast<std::uint32_t>(connectivity) & 0xFFFF;
    bool connected = false;
    if (flags == 0) {
      LOG_LINE(L"Utils::CheckNetwork", L"GetConnectivity %d\r\n", static_cast<int>(flags));
    } else {
      VARIANT_BOOL answer = VARIANT_FALSE;
      if (FAILED(manager.Get()->IsConnectedToInternet(&answer))) answer = VARIANT_FALSE;
      connected = answer != VARIANT_FALSE;
      if (!connected) LOG_LINE(L"Utils::CheckNetwork", L"get_IsConnectedToInternet:%d\r\n", 0);
    }
    result = ComposeNetworkCheckResult(flags, connected);
  }
  ::CoFreeUnusedLibraries();
  return result;
}

}  // namespace Utils
