// Password scrambler: a reversible byte-for-byte transform under three 16-bit constants.
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

// The constants the settings store scrambles the stored password with. Stored passwords
// can be read back only with these values: never change them.
constexpr std::uint16_t kStoreStartKey = 473;
constexpr std::uint16_t kStoreMultiplier = 52845;
constexpr std::uint16_t kStoreAddend = 22719;

// Both return a text of the input's length; zero bytes are ordinary bytes in either direction.
std::string Encrypt(const std::string& text, std::uint16_t startKey, std::uint16_t multiplier,
                    std::uint16_t addend);
std::string Decrypt(const std::string& text, std::uint16_t startKey, std::uint16_t multiplier,
                    std::uint16_t addend);

}  // namespace velmora
