// Clears text that held a password before its memory is given back, so that no copy of an
// attempt lingers in freed memory.
#pragma once
#include <string>

namespace velmora {

// Overwrites every character of `text` (its whole capacity) with zeros, then empties it.
void Wipe(std::string& text) noexcept;

}  // namespace velmora
