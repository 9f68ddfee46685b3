#include "core/Crypt32.h"

namespace velmora {
namespace {

enum class Direction { Scramble, Unscramble };

// Both directions feed the key from the scrambled byte, so Decrypt rebuilds Encrypt's keys.
std::string Transform(const std::string& text, std::uint16_t startKey, std::uint16_t multiplier,
                      std::uint16_t addend, Direction direction) {
  std::string out;
  out.reserve(text.size());
  std::uint16_t key = startKey;
  for (char ch : text) {
    const auto in = static_cast<std::uint8_t>(ch);
    const auto result = static_cast<std::uint8_t>(in ^ (key >> 8));
    out.push_back(static_cast<char>(result));
    const std::uint8_t feedback = direction == Direction::Scramble ? result : in;
    key = static_cast<std::uint16_t>((static_cast<std::uint32_t>(key) + feedback) * multiplier + addend);
  }
  return out;
}

}  // namespace

std::string Encrypt(const std::string& text, std::uint16_t startKey, std::uint16_t multiplier,
                    std::uint16_t addend) {
  return Transform(text, startKey, multiplier, addend, Direction::Scramble);
}

std::string Decrypt(const std::string& text, std::uint16_t startKey, std::uint16_t multiplier,
                    std::uint16_t addend) {
  return Transform(text, startKey, multiplier, addend, Direction::Unscramble);
}

}  // namespace velmora
