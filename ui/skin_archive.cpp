#include "ui/skin_archive.h"

#include <cstring>
#include <vector>

extern "C" {
#include <lzma/7z.h>
#include <lzma/7zAlloc.h>
#include <lzma/7zCrc.h>
}

namespace {

// A seekable input stream over the archive's bytes in memory.
struct MemoryInStream {
  ISeekInStream vt;
  const unsigned char* data;
  size_t size;
  size_t pos;
};

SRes MemoryRead(ISeekInStreamPtr p, void* buffer, size_t* size) {
  auto* self = Z7_CONTAINER_FROM_VTBL(p, MemoryInStream, vt);
  const size_t left = self->size - self->pos;
  if (*size > left) *size = left;
  memcpy(buffer, self->data + self->pos, *size);
  self->pos += *size;
  return SZ_OK;
}

SRes MemorySeek(ISeekInStreamPtr p, Int64* pos, ESzSeek origin) {
  auto* self = Z7_CONTAINER_FROM_VTBL(p, MemoryInStream, vt);
  const Int64 base = origin == SZ_SEEK_SET   ? 0
                     : origin == SZ_SEEK_CUR ? static_cast<Int64>(self->pos)
                                             : static_cast<Int64>(self->size);
  const Int64 target = base + *pos;
  if (target < 0 || target > static_cast<Int64>(self->size)) return SZ_ERROR_PARAM;
  self->pos = static_cast<size_t>(target);
  *pos = target;
  return SZ_OK;
}

const ISzAlloc kAllocator = {SzAlloc, SzFree};

// Owns the decoder's database and its output block.
class ArchiveReader {
 public:
  ArchiveReader() { SzArEx_Init(&m_Db); }
  ~ArchiveReader() {
    ISzAlloc_Free(&kAllocator, m_Block);
    SzArEx_Free(&m_Db, &kAllocator);
  }
  ArchiveReader(const ArchiveReader&) = delete;
  ArchiveReader& operator=(const ArchiveReader&) = delete;

  CSzArEx m_Db;
  Byte* m_Block = nullptr;
  size_t m_BlockSize = 0;
  UInt32 m_BlockIndex = 0xFFFFFFFF;
};

}  // namespace

std::wstring SkinArchive::NormaliseName(const std::wstring& name) { return SkinUI::NormalizeResourceName(name); }

std::unique_ptr<SkinArchive> SkinArchive::Open(const void* data, size_t size) {
  if (!data || size == 0) return nullptr;
  static const bool crcReady = (CrcGenerateTable(), true);
  (void)crcReady;

  MemoryInStream stream{{MemoryRead, MemorySeek}, static_cast<const unsigned char*>(data), size, 0};
  std::vector<Byte> lookBuffer(1 << 16);
  CLookToRead2 look{};
  LookToRead2_CreateVTable(&look, False);
  look.buf = lookBuffer.data();
  look.bufSize = lookBuffer.size();
  look.realStream = &stream.vt;
  LookToRead2_INIT(&look);

  ArchiveReader reader;
  if (SzArEx_Open(&reader.m_Db, &look.vt, &kAllocator, &kAllocator) != SZ_OK) return nullptr;

  std::unique_ptr<SkinArchive> archive(new SkinArchive());
  std::vector<UInt16> name;
  for (UInt32 i = 0; i < reader.m_Db.NumFiles; ++i) {
    if (SzArEx_IsDir(&reader.m_Db, i)) continue;
    name.resize(SzArEx_GetFileNameUtf16(&reader.m_Db, i, nullptr));
    SzArEx_GetFileNameUtf16(&reader.m_Db, i, name.data());
    size_t offset = 0;
    size_t length = 0;
    if (SzArEx_Extract(&reader.m_Db, &look.vt, i, &reader.m_BlockIndex, &reader.m_Block, &reader.m_BlockSize,
                       &offset, &length, &kAllocator, &kAllocator) != SZ_OK) {
      return nullptr;  // a damaged archive is refused whole, not half-read
    }
    const std::wstring fileName(name.begin(), name.end() - (name.empty() ? 0 : 1));
    const Byte* begin = reader.m_Block + offset;
    archive->m_Files[NormaliseName(fileName)] = SkinUI::ByteBuffer(begin, begin + length);
  }
  return archive;
}

const SkinUI::ByteBuffer* SkinArchive::Find(const std::wstring& name) const {
  const auto found = m_Files.find(NormaliseName(name));
  return found == m_Files.end() ? nullptr : &found->second;
}

std::string LoadSkinResource(HMODULE module) {
  HRSRC info = FindResourceExW(module, kSkinResourceType, MAKEINTRESOURCEW(kSkinResourceId), kSkinResourceLanguage);
  if (!info) return {};
  const DWORD size = SizeofResource(module, info);
  HGLOBAL loaded = LoadResource(module, info);  // not freed: resources live with the module
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes || size == 0) return {};
  return std::string(static_cast<const char*>(bytes), size);
}
