// Proof that each third-party library links and works in the Windows build.
#include <gtest/gtest.h>

#include <windows.h>

#include <curl/curl.h>
#include <json/json.h>
#include <pugixml.hpp>
#include <zlib.h>

extern "C" {
#include <lzma/7z.h>
#include <lzma/7zAlloc.h>
#include <lzma/7zCrc.h>
}

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "test_paths.h"
#include "test_server.h"

using testing_support::ScratchDir;
using testing_support::TestServer;

namespace {

std::string ReadFileBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

size_t AppendTo(char* data, size_t size, size_t count, void* out) {
  static_cast<std::string*>(out)->append(data, size * count);
  return size * count;
}

}  // namespace

TEST(Libcurl, FetchesAFileFromALoopbackServer) {
  ScratchDir root;
  std::string payload(300000, '\0');
  for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<char>(i * 31 % 251);
  std::ofstream(root.File("package.bin").c_str(), std::ios::binary) << payload;

  TestServer server("static_server.py", {"--root", root.UnixPath()});
  ASSERT_EQ(curl_global_init(CURL_GLOBAL_ALL), CURLE_OK);
  CURL* curl = curl_easy_init();
  ASSERT_NE(curl, nullptr);
  std::string body;
  const std::string url = server.BaseUrl() + "/package.bin";
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendTo);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
  EXPECT_EQ(curl_easy_perform(curl), CURLE_OK);
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  curl_easy_cleanup(curl);
  curl_global_cleanup();

  EXPECT_EQ(status, 200);
  EXPECT_TRUE(body == payload) << "received " << body.size() << " bytes";
  const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
  EXPECT_NE(std::string(info->ssl_version).find("Schannel"), std::string::npos) << info->ssl_version;
}

TEST(Zlib, RoundTripsAGzipStream) {
  const std::string text = "data_list=" + std::string(5000, 'x') + "拓芮";
  z_stream deflater{};
  ASSERT_EQ(deflateInit2(&deflater, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY), Z_OK);
  std::vector<unsigned char> packed(deflateBound(&deflater, text.size()) + 32);
  deflater.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  deflater.avail_in = static_cast<uInt>(text.size());
  deflater.next_out = packed.data();
  deflater.avail_out = static_cast<uInt>(packed.size());
  ASSERT_EQ(deflate(&deflater, Z_FINISH), Z_STREAM_END);
  packed.resize(deflater.total_out);
  deflateEnd(&deflater);
  ASSERT_GE(packed.size(), 2u);
  EXPECT_EQ(packed[0], 0x1f);  // gzip magic
  EXPECT_EQ(packed[1], 0x8b);

  z_stream inflater{};
  ASSERT_EQ(inflateInit2(&inflater, 15 + 16), Z_OK);
  std::string unpacked(text.size() + 16, '\0');
  inflater.next_in = packed.data();
  inflater.avail_in = static_cast<uInt>(packed.size());
  inflater.next_out = reinterpret_cast<Bytef*>(unpacked.data());
  inflater.avail_out = static_cast<uInt>(unpacked.size());
  EXPECT_EQ(inflate(&inflater, Z_FINISH), Z_STREAM_END);
  unpacked.resize(inflater.total_out);
  inflateEnd(&inflater);
  EXPECT_EQ(unpacked, text);
}

TEST(Jsoncpp, ParsesALanguageDocument) {
  const std::string doc = R"({"languages":[{"id":2052,"name":"简体中文","texts":{"lowDisk":"磁盘空间不足"}},)"
                          R"({"id":1033,"name":"English","scale":0.7}]})";
  Json::CharReaderBuilder builder;
  std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  Json::Value root;
  std::string errors;
  ASSERT_TRUE(reader->parse(doc.data(), doc.data() + doc.size(), &root, &errors)) << errors;
  ASSERT_EQ(root["languages"].size(), 2u);
  EXPECT_EQ(root["languages"][0]["texts"]["lowDisk"].asString(), "磁盘空间不足");
  EXPECT_EQ(root["languages"][1]["id"].asInt(), 1033);
  EXPECT_DOUBLE_EQ(root["languages"][1]["scale"].asDouble(), 0.7);

  const std::string broken = R"({"languages": [)";
  EXPECT_FALSE(reader->parse(broken.data(), broken.data() + broken.size(), &root, &errors));
}

TEST(Pugixml, ParsesALayoutDocument) {
  const char* layout =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
      "<Window size=\"600,400\"><Font id=\"1\" name=\"微软雅黑\" size=\"14\"/>"
      "<VerticalLayout bkcolor=\"#FFFFFFFF\"><Button name=\"installBtn\" text=\"立即安装\" width=\"200\"/>"
      "</VerticalLayout></Window>";
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(layout));
  pugi::xml_node window = doc.child("Window");
  EXPECT_STREQ(window.attribute("size").value(), "600,400");
  pugi::xml_node button = window.child("VerticalLayout").child("Button");
  EXPECT_STREQ(button.attribute("text").value(), "立即安装");
  EXPECT_EQ(button.attribute("width").as_int(), 200);
  EXPECT_FALSE(doc.load_string("<Window><Button></Window>"));
}

namespace {

// A 7z archive held in memory, as the skin archive will be.
struct MemoryInStream {
  ISeekInStream vt;
  const std::string* data;
  size_t pos;
};

SRes MemoryRead(ISeekInStreamPtr p, void* buf, size_t* size) {
  auto* self = Z7_CONTAINER_FROM_VTBL(p, MemoryInStream, vt);
  const size_t left = self->data->size() - self->pos;
  if (*size > left) *size = left;
  memcpy(buf, self->data->data() + self->pos, *size);
  self->pos += *size;
  return SZ_OK;
}

SRes MemorySeek(ISeekInStreamPtr p, Int64* pos, ESzSeek origin) {
  auto* self = Z7_CONTAINER_FROM_VTBL(p, MemoryInStream, vt);
  Int64 base = origin == SZ_SEEK_SET ? 0 : origin == SZ_SEEK_CUR ? static_cast<Int64>(self->pos)
                                                                  : static_cast<Int64>(self->data->size());
  Int64 target = base + *pos;
  if (target < 0 || target > static_cast<Int64>(self->data->size())) return SZ_ERROR_PARAM;
  self->pos = static_cast<size_t>(target);
  *pos = target;
  return SZ_OK;
}

std::map<std::wstring, std::string> ExtractAll(const std::string& archive) {
  std::map<std::wstring, std::string> files;
  MemoryInStream stream{{MemoryRead, MemorySeek}, &archive, 0};
  CLookToRead2 look{};
  LookToRead2_CreateVTable(&look, False);
  std::vector<Byte> lookBuffer(1 << 16);
  look.buf = lookBuffer.data();
  look.bufSize = lookBuffer.size();
  look.realStream = &stream.vt;
  LookToRead2_INIT(&look);

  CrcGenerateTable();
  ISzAlloc alloc = {SzAlloc, SzFree};
  CSzArEx db;
  SzArEx_Init(&db);
  if (SzArEx_Open(&db, &look.vt, &alloc, &alloc) == SZ_OK) {
    UInt32 blockIndex = 0xFFFFFFFF;
    Byte* outBuffer = nullptr;
    size_t outBufferSize = 0;
    for (UInt32 i = 0; i < db.NumFiles; ++i) {
      if (SzArEx_IsDir(&db, i)) continue;
      std::vector<UInt16> name(SzArEx_GetFileNameUtf16(&db, i, nullptr));
      SzArEx_GetFileNameUtf16(&db, i, name.data());
      size_t offset = 0, size = 0;
      if (SzArEx_Extract(&db, &look.vt, i, &blockIndex, &outBuffer, &outBufferSize, &offset, &size,
                         &alloc, &alloc) != SZ_OK) {
        break;
      }
      files[std::wstring(name.begin(), name.end() - 1)] =
          std::string(reinterpret_cast<char*>(outBuffer) + offset, size);
    }
    ISzAlloc_Free(&alloc, outBuffer);
  }
  SzArEx_Free(&db, &alloc);
  return files;
}

}  // namespace

TEST(LzmaSdk, ExtractsASolidLzma2ArchiveInMemory) {
  const std::string fixture = testing_support::SourceDir() + "/tests/platform/fixture";
  const std::string archive =
      ReadFileBytes(testing_support::UnixToWindowsPath(testing_support::BinaryDir() + "/tests/platform/fixture.7z"));
  ASSERT_FALSE(archive.empty());

  const auto files = ExtractAll(archive);
  ASSERT_EQ(files.size(), 3u);
  for (const char* name : {"readme.txt", "blob.bin", "res/layout.xml"}) {
    std::wstring key;
    for (const char* c = name; *c; ++c) key += static_cast<wchar_t>(*c);
    ASSERT_EQ(files.count(key), 1u) << name;
    EXPECT_TRUE(files.at(key) == ReadFileBytes(testing_support::UnixToWindowsPath(fixture + "/" + name))) << name;
  }

  // A damaged archive is refused, not half-read.
  std::string damaged = archive;
  damaged[damaged.size() / 2] ^= 0x5A;
  damaged.resize(damaged.size() - 7);
  EXPECT_LT(ExtractAll(damaged).size(), 3u);
}
