// The settings record, its limits and the default message.
#pragma once
#include <cstdint>
#include <string>

#include "core/ColorValue.h"

namespace velmora {

constexpr int kMaxPasswordLength = 40;
// The longest message the lock takes: a stored one is read up to here, and the message boxes
// take no more. Wine wraps a paragraph in a multi-line edit in a time that grows with the
// square of its length: 4,096 characters take about 0.4 s, 8,192 about 2 s, 1 MB hours, while
// the unlock prompt waits. On the screen 4,096 characters scroll by for about three minutes.
constexpr int kMaxMessageLength = 4096;

// The settings record. Persisted as a 96-byte image (see RecordImage.h); the gaps of the image
// are kept here so that a stored image is written back byte for byte as it was read.
struct TSavedSettings {
  std::uint8_t Dirty = 0;             // nonzero: write record, message and Run entry at exit
  std::uint8_t Gap1[3] = {0, 0, 0};
  std::int32_t ConfigPage = 0;        // last configuration page; negative suppresses the write-back
  std::int32_t Reserved = 0;
  std::int32_t Speed = 5;             // 0 (fastest) to 50; the animation timer runs every Speed + 1 ms
  std::uint8_t AllowMessages = 0;
  std::uint8_t AutoRun = 0;
  std::uint8_t Gap18[2] = {0, 0};
  std::int32_t FontIndex = 0;         // index into the settings store's FontNames
  std::int32_t FontSize = 12;         // points
  std::uint8_t FontBold = 0;
  std::uint8_t FontItalic = 0;
  std::uint8_t Gap30[2] = {0, 0};
  ColorValue LightColor = 0xFF000016;
  ColorValue SurfaceColor = 0xFF000001;
  ColorValue ShadowColor = 0xFF000010;
  ColorValue BackgroundColor = 0x00000000;
  // Length-prefixed: PasswordBytes[0] is the length (0 to 40), then the characters; the bytes
  // after them carry no meaning: those of a stored image are kept, SetPassword clears them.
  // Plain in memory, scrambled only while being stored.
  std::uint8_t PasswordBytes[41] = {};
  std::uint8_t Gap89[3] = {0, 0, 0};
  std::string Message;                // stored in the "Message" value, never in the image

  std::string Password() const;
  // Sets the password, cut to 40 characters, and clears the bytes after it, so that no part of
  // an earlier, longer password is left to be stored unscrambled.
  void SetPassword(const std::string& password);
};

// The default message: two lines joined by CR LF, 361 bytes.
const std::string& DefaultMessage();

}  // namespace velmora
