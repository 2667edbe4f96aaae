#pragma once

#include <windows.h>

#include <cstddef>
#include <map>
#include <memory>
#include <string>

#include "uiframework/resource_archive.h"

// The skin archive: a 7z archive (LZMA2) of layouts and images. Opening it
// decodes every file into memory once; look-ups are then memory reads. Names
// are found with "\" taken as "/" and without regard to case, so
// "res\mainWnd\bg1.png" finds "res/mainWnd/bg1.png". It is the UI framework's
// resource archive once the installer's windows are built. UI thread only.
class SkinArchive : public SkinUI::IResourceArchive {
 public:
  // Decodes the archive held in `data`; null when it is not a readable 7z
  // archive. The bytes are not needed after the call.
  static std::unique_ptr<SkinArchive> Open(const void* data, size_t size);

  // The file's bytes, or null when the archive has no such file.
  const SkinUI::ByteBuffer* Find(const std::wstring& name) const override;
  size_t FileCount() const { return m_Files.size(); }

  // The look-up key of a name: "/" separators, lower case.
  static std::wstring NormaliseName(const std::wstring& name);

 private:
  SkinArchive() = default;
  std::map<std::wstring, SkinUI::ByteBuffer> m_Files;  // by NormaliseName
};

// The bytes of the executable's resource "SKINRES"/147 (language 2052), or
// empty when the resource is missing or empty. The bytes stay valid for the
// life of the module.
std::string LoadSkinResource(HMODULE module);

// Resource identity of the embedded skin archive.
inline constexpr const wchar_t* kSkinResourceType = L"SKINRES";
inline constexpr int kSkinResourceId = 147;
inline constexpr WORD kSkinResourceLanguage = 2052;
