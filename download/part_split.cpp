#include "download/part_split.h"

namespace {
constexpr int32_t kPartUnit = 10485760;  // 10 MiB
constexpr int32_t kMaxParts = 2;
}  // namespace

std::vector<PartRange> SplitPackage(int32_t length) {
  std::vector<PartRange> parts;
  if (length < 1) return parts;
  int32_t count = length / kPartUnit;
  if (count < 1) count = 1;
  if (count > kMaxParts) count = kMaxParts;
  const int32_t partSize = length / count;
  int32_t start = 0;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t size = i + 1 == count ? length - start : partSize;
    parts.push_back({start, start + size - 1});
    start += size;
  }
  return parts;
}
