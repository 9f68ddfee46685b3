#include "core/Failures.h"

#include <atomic>
#include <cstdio>

namespace velmora {
namespace {

std::atomic<std::uint64_t> failures{0};
// The latest text; kept in a fixed buffer so that recording allocates nothing.
char lastFailure[256] = {};

}  // namespace

void RecordFailure(const char* where, const char* what) noexcept {
  ++failures;
  std::snprintf(lastFailure, sizeof lastFailure, "%s: %s", where != nullptr ? where : "",
                what != nullptr ? what : "");
}

std::uint64_t FailureCount() noexcept { return failures.load(); }

std::string LastFailure() { return lastFailure; }

}  // namespace velmora
