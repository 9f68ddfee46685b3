#include "core/MonitorLayout.h"

#include <algorithm>

namespace velmora {
namespace {

bool Within(const Box& inner, const Box& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

}  // namespace

std::vector<Box> CoverBoxes(const std::vector<Box>& monitors, const Box& primary) {
  std::vector<Box> covers;
  for (const Box& monitor : monitors) {
    if (monitor.right <= monitor.left || monitor.bottom <= monitor.top || Within(monitor, primary)) continue;
    if (std::find(covers.begin(), covers.end(), monitor) == covers.end()) covers.push_back(monitor);
  }
  return covers;
}

}  // namespace velmora
