// The settings record's stored 96-byte image and the rules the settings store applies around it:
// the defaults, the scrambled password, the "MessagePosition" text, the font list and the
// program's name.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Settings.h"

namespace velmora {

constexpr std::size_t kRecordImageSize = 96;
using RecordImage = std::array<std::uint8_t, kRecordImageSize>;

// The image byte for byte, little-endian; gaps and the password's unused bytes as held, the
// message's four bytes (92 to 95) always zero. The password is taken as it stands in memory.
RecordImage EncodeRecordImage(const TSavedSettings& settings);
// Whether a stored image can be read as a record: its password length is at most 40. A longer
// length is damage no configuration dialog writes; the store reads such an image as the
// defaults, as it does an image of another size, so that nobody is held to a password that
// cannot be typed.
bool IsUsableRecordImage(const RecordImage& image);
// Copies an image over every field but Message. A password length above 40 is taken as 40;
// the password is left as stored (scrambled).
void DecodeRecordImage(const RecordImage& image, TSavedSettings& settings);

// Scrambles or unscrambles the password's characters in place with the store's constants; the
// length and the bytes after the characters stay as they are.
void ScramblePassword(TSavedSettings& settings);
void UnscramblePassword(TSavedSettings& settings);

// The configuration dialog's page 4 is not remembered: a loaded record that names it opens on 0.
void AdjustLoadedConfigPage(TSavedSettings& settings);

// What the defaults need to know of the installed faces besides their names.
struct FontTraits {
  std::string messageFace;               // the system's message font; empty when unknown
  std::vector<std::string> symbolFaces;  // the faces enumerated with the symbol character set
};

// The settings of a first run. FontIndex points at the first face in `fontNames` that can draw
// the message: "Tahoma"; else the system's message face; else the first face that is neither
// vertical ("@" in front) nor a symbol face; else 0. Names match in any case.
// Dirty, FontBold, FontItalic and the gaps are left as they are; MessagePosition is not a field.
void ApplyDefaults(TSavedSettings& settings, const std::vector<std::string>& fontNames,
                   const FontTraits& traits = {});

// "MessagePosition" holds a signed 32-bit decimal integer: an optional "-" and digits, nothing
// else. Anything else (empty, spaces, a sign "+", out of range) gives no value.
std::optional<std::int32_t> ParseMessagePosition(const std::string& text);
std::string FormatMessagePosition(std::int32_t position);

// Three-way comparison of two texts without regard to case: negative, zero or positive.
using TextComparison = int (*)(const std::string& a, const std::string& b);

// The font faces as reported, without the names that equal an earlier one under `compare`
// (the first spelling stays), sorted ascending by `compare`.
std::vector<std::string> BuildFontNameList(std::vector<std::string> reportedNames,
                                           TextComparison compare);

}  // namespace velmora
