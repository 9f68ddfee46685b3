// The stored 96-byte record: whatever the registry holds is decoded, unscrambled, scrambled and
// encoded again; a usable image comes back byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/RecordImage.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velmora;
  RecordImage image{};
  std::memcpy(image.data(), data, size < image.size() ? size : image.size());

  TSavedSettings settings;
  DecodeRecordImage(image, settings);
  VELMORA_FUZZ_CHECK(settings.PasswordBytes[0] <= kMaxPasswordLength);
  UnscramblePassword(settings);
  const std::string password = settings.Password();
  VELMORA_FUZZ_CHECK(password.size() == settings.PasswordBytes[0]);
  ScramblePassword(settings);
  const RecordImage again = EncodeRecordImage(settings);

  // The message's bytes are never part of the image; everything else is kept as it was read,
  // unless the length byte had to be cut (the store reads such an image as the defaults).
  for (std::size_t i = 0; i < 92; ++i) {
    if (i == 48 && !IsUsableRecordImage(image)) continue;
    VELMORA_FUZZ_CHECK(again[i] == image[i]);
  }
  for (std::size_t i = 92; i < 96; ++i) VELMORA_FUZZ_CHECK(again[i] == 0);

  // The plain password set again survives its own round trip.
  TSavedSettings typed;
  typed.SetPassword(password);
  ScramblePassword(typed);
  TSavedSettings reread;
  DecodeRecordImage(EncodeRecordImage(typed), reread);
  UnscramblePassword(reread);
  VELMORA_FUZZ_CHECK(reread.Password() == password);
  return 0;
}
