#pragma once

#include <deque>
#include <string>

// The staging file between runs: one record text per line, written in the
// run-time library's text mode. Paths are ANSI byte strings. A file that
// cannot be opened reads as empty and silently takes no writes. The caller
// holds the record store's queue lock.
namespace beacon_analytics {
namespace staging_file {

// Whether a line counts as a record: not empty, "{" first, "}" last.
bool IsRecordLine(const std::string& line);

// The last `keep` record lines of the file, in file order.
std::deque<std::string> ReadLastRecords(const std::string& path, size_t keep);

// Truncates the file and writes the records, one per line, oldest first.
// Creates it when missing; an empty list leaves an empty file.
void WriteRecords(const std::string& path, const std::deque<std::string>& records);

}  // namespace staging_file
}  // namespace beacon_analytics
