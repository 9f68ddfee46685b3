// The message of the velmora::Error an action throws, for comparing exact failure texts.
#pragma once
#include <functional>
#include <string>

#include "core/Error.h"

namespace velmora::testing {

// Empty when the action throws nothing.
inline std::string ErrorText(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  return {};
}

}  // namespace velmora::testing
