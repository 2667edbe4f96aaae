#include "download/package_digest.h"

#include <windows.h>
#include <bcrypt.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace Utils {

std::string GetMd5FromUrl(const std::string& url) {
  const size_t last = url.rfind('/');
  if (url.empty() || last == std::string::npos || last == 0) return {};
  const size_t previous = url.rfind('/', last - 1);
  if (previous == std::string::npos) return {};
  return url.substr(previous + 1, last - previous - 1);
}

namespace {

struct AlgorithmCloser {
  void operator()(BCRYPT_ALG_HANDLE handle) const { BCryptCloseAlgorithmProvider(handle, 0); }
};
struct HashCloser {
  void operator()(BCRYPT_HASH_HANDLE handle) const { BCryptDestroyHash(handle); }
};
struct FileCloser {
  void operator()(FILE* file) const { fclose(file); }
};

using UniqueAlgorithm = std::unique_ptr<void, AlgorithmCloser>;
using UniqueHash = std::unique_ptr<void, HashCloser>;
using UniqueFile = std::unique_ptr<FILE, FileCloser>;

// Large reads keep hashing near disk speed; the digest does not depend on it.
constexpr size_t kReadBlock = 1 << 20;

}  // namespace

namespace {

std::string Md5OfOpenFile(FILE* file) {

  BCRYPT_ALG_HANDLE rawAlgorithm = nullptr;
  if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&rawAlgorithm, BCRYPT_MD5_ALGORITHM, nullptr, 0))) return {};
  UniqueAlgorithm algorithm(rawAlgorithm);
  BCRYPT_HASH_HANDLE rawHash = nullptr;
  if (!BCRYPT_SUCCESS(BCryptCreateHash(rawAlgorithm, &rawHash, nullptr, 0, nullptr, 0, 0))) return {};
  UniqueHash hash(rawHash);

  std::vector<unsigned char> block(kReadBlock);
  size_t got = 0;
  while ((got = fread(block.data(), 1, block.size(), file)) > 0) {
    if (!BCRYPT_SUCCESS(BCryptHashData(rawHash, block.data(), static_cast<ULONG>(got), 0))) return {};
  }
  if (ferror(file)) return {};

  unsigned char digest[16];
  if (!BCRYPT_SUCCESS(BCryptFinishHash(rawHash, digest, sizeof(digest), 0))) return {};
  static const char kHex[] = "0123456789abcdef";
  std::string text;
  text.reserve(32);
  for (unsigned char byte : digest) {
    text += kHex[byte >> 4];
    text += kHex[byte & 15];
  }
  return text;
}

}  // namespace

std::string GetFileMd5(const std::string& ansiPath) {
  if (ansiPath.empty()) return {};
  UniqueFile file(fopen(ansiPath.c_str(), "rb"));
  return file ? Md5OfOpenFile(file.get()) : std::string();
}

std::string GetFileMd5(const std::wstring& path) {
  if (path.empty()) return {};
  UniqueFile file(_wfopen(path.c_str(), L"rb"));
  return file ? Md5OfOpenFile(file.get()) : std::string();
}

}  // namespace Utils
