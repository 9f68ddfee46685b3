// Failures that are contained where they happen instead of ending anything: the lock's window
// procedures, timers and hooks must carry on, so a failure there is counted and its text kept
// for whoever looks (the tests read the count).
#pragma once
#include <cstdint>
#include <exception>
#include <string>

namespace velmora {

// Counts a contained failure and keeps its text; never throws.
void RecordFailure(const char* where, const char* what) noexcept;
std::uint64_t FailureCount() noexcept;
// "<where>: <what>" of the latest failure, empty when none has been recorded.
std::string LastFailure();

// Runs `action`; a failure it throws is recorded under `where` and goes no further. True when
// the action ran to its end.
template <typename Action>
bool Contain(const char* where, Action&& action) noexcept {
  try {
    action();
    return true;
  } catch (const std::exception& failure) {
    RecordFailure(where, failure.what());
  } catch (...) {
    RecordFailure(where, "unknown failure");
  }
  return false;
}

}  // namespace velmora
