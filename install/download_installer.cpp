#include "install/download_installer.h"

#include <windows.h>

#include "core/debug_log.h"
#include "core/installer_config.h"
#include "download/download_codes.h"
#include "download/downloader_factory.h"
#include "install/install_codes.h"
#include "utils/directories.h"
#include "utils/path_probes.h"
#include "utils/temp_folder.h"

namespace {

// The package file the pipeline deleted last, whichever pipeline that was.
// Touched only from reports, which follow one another in time.
std::wstring g_LastPackagePath;

std::wstring FolderOf(const std::wstring& path) {
  const size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

}  // namespace

CDownloadInstaller::CDownloadInstaller(DownloadCallback listener, const std::wstring& downloadUrl,
                                       const std::wstring& previousUninstaller, const std::wstring& installFolder,
                                       bool desktopShortcut, bool quickLaunchShortcut, bool adminAccount)
    : m_DownloadUrl(downloadUrl),
      m_PreviousUninstaller(previousUninstaller),
      m_InstallFolder(installFolder),
      m_DesktopShortcut(desktopShortcut),
      m_QuickLaunchShortcut(quickLaunchShortcut),
      m_AdminAccount(adminAccount),
      m_Listener(std::move(listener)) {}

CDownloadInstaller::~CDownloadInstaller() {
  m_Uninstaller.reset();
  m_Downloader.reset();
  m_Installer.reset();
}

void CDownloadInstaller::SetParams(const std::wstring& downloadUrl, const std::wstring& recordedInstallPath,
                                   const std::wstring& previousUninstaller, const std::wstring& installFolder,
                                   bool desktopShortcut, bool quickLaunchShortcut, bool adminAccount, bool elevated,
                                   const std::wstring& language) {
  m_DownloadUrl = downloadUrl;
  m_RecordedInstallPath = recordedInstallPath;
  m_PreviousUninstaller = previousUninstaller;
  m_InstallFolder = installFolder;
  m_DesktopShortcut = desktopShortcut;
  m_QuickLaunchShortcut = quickLaunchShortcut;
  m_AdminAccount = adminAccount;
  m_Elevated = elevated;
  m_Language = language;
}

std::wstring CDownloadInstaller::GetPackagePath() const {
  return m_InstallFolder + InstallNames::kPackageFilePrefix + InstallNames::kPackageProductName +
         InstallNames::kPackageFileSuffix;
}

void CDownloadInstaller::Start() {
  m_PackagePath = GetPackagePath();
  LOG_LINE(L"CDownloadInstaller::Start", L"DL_TYPE=%d\r\n", InstallerConfig.DownloadType);

  if (!m_Downloader) {
    m_DownloadedPackage = m_PackagePath;
    m_Downloader = CreateDownloader(
        InstallerConfig.DownloadType,
        [this](int32_t code, double value, const wchar_t* text) { DownloadCallBack(code, value, text); },
        m_DownloadUrl, m_PackagePath);
  }
  if (!m_Installer) {
    m_Installer = std::make_unique<CInstaller>(
        [this](int32_t code, double value, const wchar_t* text) { InstallCallBack(code, value, text); },
        L"\"" + m_PackagePath + L"\"", m_InstallFolder, m_QuickLaunchShortcut, m_DesktopShortcut, m_AdminAccount);
    m_Installer->SetRunEndedHandler([this] { OnPackageEnded(); });
  }
  m_Installer->SetInstallFolder(m_InstallFolder);
  m_Installer->SetDesktopShortcut(m_DesktopShortcut);
  m_Installer->SetQuickLaunchShortcut(m_QuickLaunchShortcut);
  m_Installer->SetAdminAccount(m_AdminAccount);
  m_Installer->SetElevated(m_Elevated);
  m_Installer->SetLanguage(m_Language);

  if (Utils::IsExistingFile(m_PreviousUninstaller)) {
    // The uninstaller is run from a copy, so that it can remove its own file
    // from the installation. When the copy fails, a copy left by an earlier
    // run (or none: then the runner reports 5004) is what runs.
    const std::wstring tempFolder = Utils::GetInstallerTempFolder();
    const std::wstring copy = tempFolder.empty() ? std::wstring() : tempFolder + InstallNames::kUninstallerCopyName;
    ::CopyFileW(m_PreviousUninstaller.c_str(), copy.c_str(), FALSE);
    m_Uninstaller.reset();  // waits for an earlier removal's thread
    m_RemovalPassed = false;
    m_Uninstaller = std::make_unique<UninstallRunner>(
        [this](int32_t code, double value, const wchar_t* text) { UnInstallCallBack(code, value, text); }, copy,
        FolderOf(m_PreviousUninstaller));
    m_Uninstaller->Start();
  } else {
    m_Downloader->Start();
  }
}

void CDownloadInstaller::DownloadCallBack(int32_t code, double value, const wchar_t* text) {
  if (m_Listener) m_Listener(code, value, text);
  switch (code) {
    case DL_CODE_START:
      LOG_LINE(L"CDownloadInstaller::DownloadCallBack", L"DL_CODE_START\r\n");
      // A new download rewrites the package file: an earlier package ending
      // now must leave it alone.
      m_PackageToDelete = false;
      Utils::CreateDirectories(m_InstallFolder);  // a failure shows as a failed download
      break;
    case DL_CODE_PROGRESS:
      LOG_LINE(L"CDownloadInstaller::DownloadCallBack", L"DL_CODE_PROGRESS\r\n");
      break;
    case DL_CODE_SUCCESS:
      LOG_LINE(L"CDownloadInstaller::DownloadCallBack", L"DOWNLOAD_SUCCESS\r\n");
      if (m_Installer) m_Installer->Start();
      LOG_LINE(L"CDownloadInstaller::DownloadCallBack", L"DL_CODE_SUCCESS\r\n");
      break;
    case DL_CODE_FAIL:
      LOG_LINE(L"CDownloadInstaller::DownloadCallBack", L"DL_CODE_FAIL\r\n");
      DeletePackages();
      break;
    case DL_CODE_RETRY:
      LOG_LINE(L"CDownloadInstaller::DownloadCallBack", L"DL_CODE_RETRY\r\n");
      if (m_Downloader) m_Downloader->Start();  // on this downloader's own worker
      break;
    default:
      break;
  }
}

void CDownloadInstaller::InstallCallBack(int32_t code, double value, const wchar_t* text) {
  if (m_Listener) m_Listener(code, value, text);
  switch (code) {
    case IST_CODE_START:
      LOG_LINE(L"CDownloadInstaller::InstallCallBack", L"IST_CODE_START\r\n");
      break;
    case IST_CODE_PROGRESS:
      LOG_LINE(L"CDownloadInstaller::InstallCallBack", L"IST_CODE_PROGRESS\r\n");
      break;
    case IST_CODE_SUCCESS:
      LOG_LINE(L"CDownloadInstaller::InstallCallBack", L"INSTALL_SUCCESS\r\n");
      DeletePackages();
      m_PackageToDelete = true;
      break;
    case IST_CODE_FAIL:
      LOG_LINE(L"CDownloadInstaller::InstallCallBack", L"IST_CODE_FAIL\r\n");
      DeletePackages();
      m_PackageToDelete = true;
      break;
    default:
      break;
  }
}

void CDownloadInstaller::UnInstallCallBack(int32_t code, double value, const wchar_t* text) {
  if (m_Listener) m_Listener(code, value, text);
  switch (code) {
    case UNIST_CODE_START:
      LOG_LINE(L"CDownloadInstaller::UnInstallCallBack", L"UNIST_CODE_START\r\n");
      break;
    case UNIST_CODE_PROGRESS:
      LOG_LINE(L"CDownloadInstaller::UnInstallCallBack", L"UNIST_CODE_PROGRESS\r\n");
      break;
    case UNIST_CODE_SUCCESS:
      LOG_LINE(L"CDownloadInstaller::UnInstallCallBack", L"UNIST_CODE_SUCCESS\r\n");
      if (m_Installer && m_Downloader && !m_RemovalPassed.exchange(true)) m_Downloader->Start();
      break;
    case UNIST_CODE_FAIL:
      LOG_LINE(L"CDownloadInstaller::UnInstallCallBack", L"UNIST_CODE_FAIL\r\n");
      break;
    case UNIST_CODE_ERROR:
      LOG_LINE(L"CDownloadInstaller::UnInstallCallBack", L"UNIST_CODE_ERROR\r\n");
      break;
    default:
      break;
  }
}

void CDownloadInstaller::DeletePackages() {
  ::DeleteFileW(m_PackagePath.c_str());
  if (!g_LastPackagePath.empty()) ::DeleteFileW(g_LastPackagePath.c_str());
  g_LastPackagePath = m_PackagePath;
}

void CDownloadInstaller::OnPackageEnded() {
  // A verdict line arrives while the package still runs, and a running
  // program's file cannot be deleted then; now it can.
  if (m_PackageToDelete.exchange(false) && Utils::IsExistingFile(m_DownloadedPackage)) {
    ::DeleteFileW(m_DownloadedPackage.c_str());
  }
}
