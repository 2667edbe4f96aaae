#include "download/win_downloader.h"

#include <objbase.h>

#include "core/debug_log.h"
#include "download/download_codes.h"
#include "utils/url_encode.h"

namespace {

// COM for the worker's whole run, apartment model.
class ComApartment {
 public:
  ComApartment() : m_Initialized(SUCCEEDED(::CoInitialize(nullptr))) {}
  ~ComApartment() {
    if (m_Initialized) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool m_Initialized;
};

constexpr UINT kUtf8CodePage = 65001;

}  // namespace

CWinDownloader::CBindCallback::~CBindCallback() {
  m_Abort = true;
  m_Callback = nullptr;
}

HRESULT CWinDownloader::CBindCallback::QueryInterface(REFIID, void** object) {
  // The service gets this object only as the callback it was handed.
  if (object) *object = nullptr;
  return E_NOTIMPL;
}

ULONG CWinDownloader::CBindCallback::AddRef() { return 0; }
ULONG CWinDownloader::CBindCallback::Release() { return 0; }

HRESULT CWinDownloader::CBindCallback::OnStartBinding(DWORD, IBinding* binding) {
  m_Binding = binding;
  return E_NOTIMPL;
}

HRESULT CWinDownloader::CBindCallback::GetPriority(LONG*) { return E_NOTIMPL; }
HRESULT CWinDownloader::CBindCallback::OnLowResource(DWORD) { return E_NOTIMPL; }

void CWinDownloader::CBindCallback::BeginTransfer() {
  m_DataEnded = false;
  m_EndProgress = 0;
  m_EndMaximum = 0;
}

bool CWinDownloader::CBindCallback::EndedShort() const {
  return m_DataEnded && m_EndMaximum > 0 && m_EndProgress < m_EndMaximum;
}

HRESULT CWinDownloader::CBindCallback::OnProgress(ULONG progress, ULONG progressMax, ULONG statusCode, LPCWSTR) {
  if (m_Abort) return E_ABORT;
  if (statusCode == BINDSTATUS_ENDDOWNLOADDATA) {
    m_DataEnded = true;
    m_EndProgress = progress;
    m_EndMaximum = progressMax;
  }
  if (progressMax == 0) return S_OK;
  if (m_Callback) {
    m_Callback(DL_CODE_PROGRESS, static_cast<double>(progress) / static_cast<double>(progressMax), L"");
  }
  return S_OK;
}

HRESULT CWinDownloader::CBindCallback::OnStopBinding(HRESULT, LPCWSTR) { return E_NOTIMPL; }

HRESULT CWinDownloader::CBindCallback::GetBindInfo(DWORD*, BINDINFO* bindInfo) {
  if (bindInfo) bindInfo->dwCodePage = kUtf8CodePage;
  return E_NOTIMPL;
}

HRESULT CWinDownloader::CBindCallback::OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }
HRESULT CWinDownloader::CBindCallback::OnObjectAvailable(REFIID, IUnknown*) { return E_NOTIMPL; }
HRESULT CWinDownloader::CBindCallback::GetBindInfoEx(DWORD*, BINDINFO*, DWORD*, DWORD*) { return E_NOTIMPL; }

CWinDownloader::CWinDownloader(DownloadCallback callback, const std::wstring& url, const std::wstring& filePath)
    : m_Callback(std::move(callback)), m_FilePath(filePath), m_Url(url) {}

CWinDownloader::~CWinDownloader() {
  // Before the join: a transfer in progress ends at its next notification
  // instead of running to its end.
  m_Workers.Stop();
  m_BindCallback.Abort();
  m_Workers.Wait();
}

void CWinDownloader::Start() {
  if (m_Workers.Stopping()) return;
  m_BindCallback.SetCallback(m_Callback);
  m_Workers.Launch(this, [this] { downloadThreadFun(); });
}

void CWinDownloader::Report(int32_t code, double value, const wchar_t* text) {
  if (!m_Workers.Stopping()) m_Callback(code, value, text);
}

std::wstring CWinDownloader::PrepareUrl(const std::wstring& url) {
  return url.compare(0, 8, L"file:///") == 0 ? url : Utils::UrlEncodeWide(url);
}

void CWinDownloader::downloadThreadFun() {
  ComApartment com;
  Report(DL_CODE_START, 1.0, L"");
  // A worker launched from a callback while destruction began.
  if (m_Workers.Stopping()) return;
  if (m_FilePath.empty()) {
    Report(DL_CODE_FAIL, 1.0, L"");
    return;
  }
  const std::wstring url = PrepareUrl(m_Url);
  HRESULT result = E_FAIL;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    m_BindCallback.BeginTransfer();
    result = ::URLDownloadToFileW(nullptr, url.c_str(), m_FilePath.c_str(), 0,
                                  static_cast<IBindStatusCallback*>(&m_BindCallback));
    // A package cut short is no package, whatever the service answered.
    if (result == S_OK && m_BindCallback.EndedShort()) result = INET_E_DOWNLOAD_FAILURE;
    if (result == S_OK) {
      Report(DL_CODE_SUCCESS, 0.0, DownloadText::kUrlDownloadToFile);
      return;
    }
    LOG_LINE(L"CWinDownloader::downloadThreadFun", L"URLDownloadToFileW 0x%08lx\r\n",
             static_cast<unsigned long>(result));
    if (m_Workers.Stopping()) return;
    Sleep(kAttemptPauseMs);
  }
  Report(DL_CODE_FAIL, static_cast<double>(static_cast<int32_t>(result)), DownloadText::kUrlDownloadToFile);
}
