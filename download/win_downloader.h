#pragma once

#include <windows.h>
#include <urlmon.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "download/download_workers.h"
#include "download/downloader.h"

// The system downloader: the whole transfer is left to the URL moniker
// service (URLDownloadToFileW), which writes the destination itself. Up to
// three attempts one second apart; no probe, part file or digest check. Every
// callback comes from the worker "ABDEF", progress from inside the service's
// call on that same thread.
class CWinDownloader : public CDownloader {
 public:
  // Bridges the service's progress notifications to the DownloadCallback.
  // Held by value by the downloader and handed to the service for the length
  // of each call, so it counts no references.
  class CBindCallback : public IBindStatusCallbackEx {
   public:
    CBindCallback() = default;
    virtual ~CBindCallback();
    CBindCallback(const CBindCallback&) = delete;
    CBindCallback& operator=(const CBindCallback&) = delete;

    void SetCallback(const DownloadCallback& callback) { m_Callback = callback; }
    // Makes the next progress notification cancel the transfer; any thread.
    void Abort() { m_Abort = true; }
    // Before each transfer: forgets what the last one announced.
    void BeginTransfer();
    // The service announced the end of the data with fewer bytes than the
    // length it knew: the connection broke, yet the service may still
    // answer S_OK.
    bool EndedShort() const;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD reserved, IBinding* binding) override;
    HRESULT STDMETHODCALLTYPE GetPriority(LONG* priority) override;
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE OnProgress(ULONG progress, ULONG progressMax, ULONG statusCode,
                                         LPCWSTR statusText) override;
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT result, LPCWSTR error) override;
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* bindFlags, BINDINFO* bindInfo) override;
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD bindFlags, DWORD size, FORMATETC* format,
                                              STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID riid, IUnknown* object) override;
    HRESULT STDMETHODCALLTYPE GetBindInfoEx(DWORD* bindFlags, BINDINFO* bindInfo, DWORD* bindFlags2,
                                            DWORD* reserved) override;

   private:
    DownloadCallback m_Callback;
    std::atomic<bool> m_Abort{false};
    IBinding* m_Binding = nullptr;  // as the service passed it; not used, not counted
    // The end-of-data notification of the current transfer, on the worker.
    bool m_DataEnded = false;
    ULONG m_EndProgress = 0;
    ULONG m_EndMaximum = 0;
  };

  CWinDownloader(DownloadCallback callback, const std::wstring& url, const std::wstring& filePath);
  // Cancels a running transfer at its next progress notification, skips the
  // remaining attempts and waits for the worker; nothing is reported once
  // destruction began.
  ~CWinDownloader() override;

  // Begins a run on a new worker; a call after a run has ended (also from
  // inside its last callback) begins the next one.
  void Start() override;

  static constexpr int kAttempts = 3;
  static constexpr DWORD kAttemptPauseMs = 1000;

  // The URL as handed to the service: "file:///" URLs unchanged, any other
  // percent-encoded (space as "+").
  static std::wstring PrepareUrl(const std::wstring& url);

 private:
  void downloadThreadFun();
  void Report(int32_t code, double value, const wchar_t* text);

  CBindCallback m_BindCallback;
  DownloadCallback m_Callback;
  std::wstring m_FilePath;
  std::wstring m_Url;
  DownloadWorkers m_Workers;
};
