#include "collect/batch_encoding.h"

#include <zlib.h>

#include <vector>

#include "collect/base64.h"
#include "collect/diagnostics.h"
#include "collect/percent_encoding.h"
#include "collect/protocol.h"

namespace beacon_analytics {

namespace {

// Owns an initialised deflate stream.
class Deflater {
 public:
  Deflater() { m_Ready = deflateInit2(&m_Stream, 9, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) == Z_OK; }
  ~Deflater() {
    if (m_Ready) deflateEnd(&m_Stream);
  }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  bool Ready() const { return m_Ready; }
  z_stream& Stream() { return m_Stream; }

 private:
  z_stream m_Stream{};
  bool m_Ready = false;
};

constexpr size_t kChunkBytes = 32768;

}  // namespace

bool GzipCompress(const std::string& text, std::string& compressed) {
  compressed.clear();
  Deflater deflater;
  if (!deflater.Ready()) {
    diagnostics::WriteErrorLine(protocol::kMsgDeflateInit);
    return false;
  }
  z_stream& stream = deflater.Stream();
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  std::vector<char> chunk(kChunkBytes);
  int result = Z_OK;
  do {
    stream.next_out = reinterpret_cast<Bytef*>(chunk.data());
    stream.avail_out = static_cast<uInt>(chunk.size());
    result = deflate(&stream, Z_FINISH);
    compressed.append(chunk.data(), chunk.size() - stream.avail_out);
  } while (result == Z_OK);
  if (result != Z_STREAM_END) {
    diagnostics::WriteErrorLine("Exception during zlib compression: (" + std::to_string(result) + ") " +
                                (stream.msg ? stream.msg : ""));
    compressed.clear();
    return false;
  }
  return true;
}

bool BuildUploadBody(const std::string& batch, std::string& body) {
  std::string compressed;
  if (!GzipCompress(batch, compressed)) return false;
  body = protocol::kBodyPrefix + PercentEncode(Base64Encode(compressed)) + protocol::kBodySuffix;
  return true;
}

}  // namespace beacon_analytics
