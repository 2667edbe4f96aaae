#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tracking/vl_exception.h"

namespace tracking_testing {

// One call that must throw a VlException with exactly these fields.
struct VlFailure {
  const char* row;
  std::function<void()> call;
  std::string message;
  std::string function;
  int line;
  std::string source;
};

// Runs every row's call and compares the exception it throws; rows of any
// type with the fields of VlFailure.
template <typename Row>
void ExpectVlFailures(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    try {
      row.call();
      ADD_FAILURE() << row.row << ": nothing thrown";
    } catch (const volen::beacon::VlException& e) {
      EXPECT_EQ(std::string(e.what()), row.message) << row.row;
      EXPECT_EQ(e.function(), row.function) << row.row;
      EXPECT_EQ(e.line(), row.line) << row.row;
      EXPECT_EQ(e.sourceFile(), row.source) << row.row;
      EXPECT_EQ(e.code(), -1) << row.row;
      EXPECT_EQ(e.subCode(), -1) << row.row;
    }
  }
}

inline void ExpectVlFailures(const std::vector<VlFailure>& rows) { ExpectVlFailures<VlFailure>(rows); }

}  // namespace tracking_testing
