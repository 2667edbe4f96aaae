#pragma once

#include <cstdint>
#include <vector>

// How the multi-part downloader divides a package into byte ranges. Pure.

// One byte range of the package, both ends inclusive.
struct PartRange {
  int32_t first;
  int32_t last;
};

// A part per started 10 MiB, at least one and at most two: a package below
// 20 MiB is one part. Parts are equal except that the last one also takes
// the remainder. Empty for a length below 1.
std::vector<PartRange> SplitPackage(int32_t length);

// Bytes of a block of `size` that still belong to a part whose next missing
// byte is `writePos` and whose last byte is `endPos`; the rest of the block
// lies past the part's end.
inline int64_t BytesWithinPart(int64_t writePos, int64_t endPos, int64_t size) {
  if (writePos > endPos || size <= 0) return 0;
  return writePos + size - 1 > endPos ? endPos - writePos + 1 : size;
}
