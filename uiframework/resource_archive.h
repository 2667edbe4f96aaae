#pragma once
// Where layouts and images come from: an archive of named files held in
// memory. The installer's skin archive (7z, a program resource) plugs in behind
// IResourceArchive; tests use CMemoryArchive.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace SkinUI {

using ByteBuffer = std::vector<unsigned char>;

// "res\mainWnd\bg1.png" and "RES/MainWnd/BG1.PNG" name the same entry: "\" is
// "/" and case does not matter.
std::wstring NormalizeResourceName(const std::wstring& name);

class IResourceArchive {
 public:
  virtual ~IResourceArchive() = default;
  // The bytes of the named file, or null when the archive has no such file.
  // The pointer stays valid as long as the archive lives.
  virtual const ByteBuffer* Find(const std::wstring& name) const = 0;
};

// An archive whose files are handed over in memory.
class CMemoryArchive : public IResourceArchive {
 public:
  void Add(const std::wstring& name, ByteBuffer bytes);
  void Add(const std::wstring& name, const std::string& text);
  const ByteBuffer* Find(const std::wstring& name) const override;
  size_t Size() const { return m_Files.size(); }

 private:
  std::map<std::wstring, ByteBuffer> m_Files;  // by normalised name
};

// The process-wide resource source of the UI thread. A window with no archive
// set yet asks the factory (registered by the application) for one, given
// the window's resource type and id.
using ArchiveFactory = std::function<std::shared_ptr<IResourceArchive>(int resourceType, int resourceId)>;

void SetResourceArchive(std::shared_ptr<IResourceArchive> archive);
std::shared_ptr<IResourceArchive> GetResourceArchive();
void SetArchiveFactory(ArchiveFactory factory);
// Sets the archive from the factory unless one is held already.
void EnsureResourceArchive(int resourceType, int resourceId);

// Folder on disk searched after the archive (empty: none).
void SetResourceFolder(const std::wstring& folder);
const std::wstring& GetResourceFolder();

// Reads a resource: the archive first, then the resource folder on disk.
bool ReadResource(const std::wstring& name, ByteBuffer& bytes);

}  // namespace SkinUI
