#include "collect/staging_file.h"

#include <cstdio>
#include <memory>

namespace beacon_analytics {
namespace staging_file {

namespace {

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

FilePtr Open(const std::string& path, const char* mode) {
  if (path.empty()) return nullptr;
  return FilePtr(std::fopen(path.c_str(), mode));
}

// One line without its line end; false at the end of the file.
bool ReadLine(FILE* file, std::string& line) {
  line.clear();
  char buffer[4096];
  bool any = false;
  while (std::fgets(buffer, sizeof(buffer), file)) {
    any = true;
    line += buffer;
    if (!line.empty() && line.back() == '\n') {
      line.pop_back();
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
  }
  return any;
}

}  // namespace

bool IsRecordLine(const std::string& line) { return !line.empty() && line.front() == '{' && line.back() == '}'; }

std::deque<std::string> ReadLastRecords(const std::string& path, size_t keep) {
  std::deque<std::string> records;
  if (keep == 0) return records;
  FilePtr file = Open(path, "r");
  if (!file) return records;
  std::string line;
  while (ReadLine(file.get(), line)) {
    if (!IsRecordLine(line)) continue;
    records.push_back(line);
    if (records.size() > keep) records.pop_front();
  }
  return records;
}

void WriteRecords(const std::string& path, const std::deque<std::string>& records) {
  FilePtr file = Open(path, "w");
  if (!file) return;
  for (const auto& record : records) {
    std::fwrite(record.data(), 1, record.size(), file.get());
    std::fputc('\n', file.get());
  }
}

}  // namespace staging_file
}  // namespace beacon_analytics
