#include "uiframework/resource_archive.h"

#include <windows.h>

#include <cwctype>

#include "uiframework/image_cache.h"

namespace SkinUI {
namespace {

struct ResourceState {
  std::shared_ptr<IResourceArchive> Archive;
  ArchiveFactory Factory;
  std::wstring Folder;
};

ResourceState& State() {
  static ResourceState state;
  return state;
}

bool ReadDiskFile(const std::wstring& path, ByteBuffer& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = ::GetFileSizeEx(file, &size) && size.QuadPart < (64LL << 20);
  if (ok) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ok = bytes.empty() || (::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                           read == bytes.size());
  }
  ::CloseHandle(file);
  return ok;
}

}  // namespace

std::wstring NormalizeResourceName(const std::wstring& name) {
  std::wstring result = name;
  for (wchar_t& c : result) c = (c == L'\\') ? L'/' : static_cast<wchar_t>(std::towlower(c));
  return result;
}

void CMemoryArchive::Add(const std::wstring& name, ByteBuffer bytes) {
  m_Files[NormalizeResourceName(name)] = std::move(bytes);
}

void CMemoryArchive::Add(const std::wstring& name, const std::string& text) {
  Add(name, ByteBuffer(text.begin(), text.end()));
}

const ByteBuffer* CMemoryArchive::Find(const std::wstring& name) const {
  const auto it = m_Files.find(NormalizeResourceName(name));
  return it == m_Files.end() ? nullptr : &it->second;
}

void SetResourceArchive(std::shared_ptr<IResourceArchive> archive) {
  State().Archive = std::move(archive);
  // Decoded images belong to the archive they came from.
  CImageCache::Instance().Clear();
}

std::shared_ptr<IResourceArchive> GetResourceArchive() { return State().Archive; }

void SetArchiveFactory(ArchiveFactory factory) { State().Factory = std::move(factory); }

void EnsureResourceArchive(int resourceType, int resourceId) {
  if (State().Archive || !State().Factory) return;
  if (auto archive = State().Factory(resourceType, resourceId)) SetResourceArchive(std::move(archive));
}

void SetResourceFolder(const std::wstring& folder) {
  State().Folder = folder;
  CImageCache::Instance().Clear();
}

const std::wstring& GetResourceFolder() { return State().Folder; }

bool ReadResource(const std::wstring& name, ByteBuffer& bytes) {
  if (name.empty()) return false;
  if (State().Archive) {
    if (const ByteBuffer* found = State().Archive->Find(name)) {
      bytes = *found;
      return true;
    }
  }
  if (State().Folder.empty()) return false;
  std::wstring path = State().Folder;
  if (path.back() != L'\\' && path.back() != L'/') path += L'\\';
  return ReadDiskFile(path + name, bytes);
}

}  // namespace SkinUI
