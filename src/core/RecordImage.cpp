#include "core/RecordImage.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "core/AsciiText.h"
#include "core/Crypt32.h"

namespace velmora {
namespace {

// Offsets of the fields in the stored image.
constexpr std::size_t kDirtyOffset = 0;
constexpr std::size_t kGap1Offset = 1;
constexpr std::size_t kConfigPageOffset = 4;
constexpr std::size_t kReservedOffset = 8;
constexpr std::size_t kSpeedOffset = 12;
constexpr std::size_t kAllowMessagesOffset = 16;
constexpr std::size_t kAutoRunOffset = 17;
constexpr std::size_t kGap18Offset = 18;
constexpr std::size_t kFontIndexOffset = 20;
constexpr std::size_t kFontSizeOffset = 24;
constexpr std::size_t kFontBoldOffset = 28;
constexpr std::size_t kFontItalicOffset = 29;
constexpr std::size_t kGap30Offset = 30;
constexpr std::size_t kLightColorOffset = 32;
constexpr std::size_t kSurfaceColorOffset = 36;
constexpr std::size_t kShadowColorOffset = 40;
constexpr std::size_t kBackgroundColorOffset = 44;
constexpr std::size_t kPasswordOffset = 48;
constexpr std::size_t kGap89Offset = 89;
constexpr std::size_t kMessageOffset = 92;

static_assert(sizeof(TSavedSettings::PasswordBytes) == kGap89Offset - kPasswordOffset);
static_assert(kMessageOffset + 4 == kRecordImageSize);

void PutUint32(RecordImage& image, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) image[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetUint32(const RecordImage& image, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(image[offset + i]) << (8 * i);
  return value;
}

void PutInt32(RecordImage& image, std::size_t offset, std::int32_t value) {
  PutUint32(image, offset, static_cast<std::uint32_t>(value));
}

std::int32_t GetInt32(const RecordImage& image, std::size_t offset) {
  return static_cast<std::int32_t>(GetUint32(image, offset));
}

template <std::size_t N>
void PutBytes(RecordImage& image, std::size_t offset, const std::uint8_t (&bytes)[N]) {
  std::memcpy(image.data() + offset, bytes, N);
}

template <std::size_t N>
void GetBytes(const RecordImage& image, std::size_t offset, std::uint8_t (&bytes)[N]) {
  std::memcpy(bytes, image.data() + offset, N);
}

std::size_t PasswordLength(const TSavedSettings& settings) {
  return std::min<std::size_t>(settings.PasswordBytes[0], kMaxPasswordLength);
}

using Scrambler = std::string (*)(const std::string&, std::uint16_t, std::uint16_t, std::uint16_t);

void TransformPassword(TSavedSettings& settings, Scrambler scrambler) {
  const std::size_t length = PasswordLength(settings);
  char* characters = reinterpret_cast<char*>(settings.PasswordBytes + 1);
  const std::string result = scrambler(std::string(characters, length), kStoreStartKey,
                                       kStoreMultiplier, kStoreAddend);
  std::memcpy(characters, result.data(), length);
  settings.PasswordBytes[0] = static_cast<std::uint8_t>(length);
}

std::int32_t DefaultFontIndex(const std::vector<std::string>& fontNames, const FontTraits& traits) {
  const auto named = [](const std::string& face) {
    return [&face](const std::string& name) { return AsciiEqualIgnoringCase(name, face); };
  };
  for (const std::string& face : {std::string("Tahoma"), traits.messageFace}) {
    if (face.empty()) continue;
    const auto found = std::find_if(fontNames.begin(), fontNames.end(), named(face));
    if (found != fontNames.end()) return static_cast<std::int32_t>(found - fontNames.begin());
  }
  const auto drawsText = std::find_if(fontNames.begin(), fontNames.end(), [&](const std::string& name) {
    return name.rfind('@', 0) != 0 &&
           std::none_of(traits.symbolFaces.begin(), traits.symbolFaces.end(), named(name));
  });
  return drawsText == fontNames.end() ? 0 : static_cast<std::int32_t>(drawsText - fontNames.begin());
}

}  // namespace

RecordImage EncodeRecordImage(const TSavedSettings& settings) {
  RecordImage image{};
  image[kDirtyOffset] = settings.Dirty;
  PutBytes(image, kGap1Offset, settings.Gap1);
  PutInt32(image, kConfigPageOffset, settings.ConfigPage);
  PutInt32(image, kReservedOffset, settings.Reserved);
  PutInt32(image, kSpeedOffset, settings.Speed);
  image[kAllowMessagesOffset] = settings.AllowMessages;
  image[kAutoRunOffset] = settings.AutoRun;
  PutBytes(image, kGap18Offset, settings.Gap18);
  PutInt32(image, kFontIndexOffset, settings.FontIndex);
  PutInt32(image, kFontSizeOffset, settings.FontSize);
  image[kFontBoldOffset] = settings.FontBold;
  image[kFontItalicOffset] = settings.FontItalic;
  PutBytes(image, kGap30Offset, settings.Gap30);
  PutUint32(image, kLightColorOffset, settings.LightColor);
  PutUint32(image, kSurfaceColorOffset, settings.SurfaceColor);
  PutUint32(image, kShadowColorOffset, settings.ShadowColor);
  PutUint32(image, kBackgroundColorOffset, settings.BackgroundColor);
  PutBytes(image, kPasswordOffset, settings.PasswordBytes);
  PutBytes(image, kGap89Offset, settings.Gap89);
  return image;
}

bool IsUsableRecordImage(const RecordImage& image) {
  return image[kPasswordOffset] <= kMaxPasswordLength;
}

void DecodeRecordImage(const RecordImage& image, TSavedSettings& settings) {
  settings.Dirty = image[kDirtyOffset];
  GetBytes(image, kGap1Offset, settings.Gap1);
  settings.ConfigPage = GetInt32(image, kConfigPageOffset);
  settings.Reserved = GetInt32(image, kReservedOffset);
  settings.Speed = GetInt32(image, kSpeedOffset);
  settings.AllowMessages = image[kAllowMessagesOffset];
  settings.AutoRun = image[kAutoRunOffset];
  GetBytes(image, kGap18Offset, settings.Gap18);
  settings.FontIndex = GetInt32(image, kFontIndexOffset);
  settings.FontSize = GetInt32(image, kFontSizeOffset);
  settings.FontBold = image[kFontBoldOffset];
  settings.FontItalic = image[kFontItalicOffset];
  GetBytes(image, kGap30Offset, settings.Gap30);
  settings.LightColor = GetUint32(image, kLightColorOffset);
  settings.SurfaceColor = GetUint32(image, kSurfaceColorOffset);
  settings.ShadowColor = GetUint32(image, kShadowColorOffset);
  settings.BackgroundColor = GetUint32(image, kBackgroundColorOffset);
  GetBytes(image, kPasswordOffset, settings.PasswordBytes);
  settings.PasswordBytes[0] = static_cast<std::uint8_t>(PasswordLength(settings));
  GetBytes(image, kGap89Offset, settings.Gap89);
}

void ScramblePassword(TSavedSettings& settings) { TransformPassword(settings, Encrypt); }

void UnscramblePassword(TSavedSettings& settings) { TransformPassword(settings, Decrypt); }

void AdjustLoadedConfigPage(TSavedSettings& settings) {
  if (settings.ConfigPage == 4) settings.ConfigPage = 0;
}

void ApplyDefaults(TSavedSettings& settings, const std::vector<std::string>& fontNames,
                   const FontTraits& traits) {
  // A record made afresh holds the defaults; Dirty, the font style and the gaps are not reset.
  const TSavedSettings defaults;
  settings.AllowMessages = defaults.AllowMessages;
  settings.AutoRun = defaults.AutoRun;
  settings.Speed = defaults.Speed;
  settings.ConfigPage = defaults.ConfigPage;
  settings.Reserved = defaults.Reserved;
  settings.LightColor = defaults.LightColor;
  settings.SurfaceColor = defaults.SurfaceColor;
  settings.ShadowColor = defaults.ShadowColor;
  settings.BackgroundColor = defaults.BackgroundColor;
  settings.FontIndex = DefaultFontIndex(fontNames, traits);
  settings.FontSize = defaults.FontSize;
  settings.SetPassword("");
  settings.Message = DefaultMessage();
}

std::optional<std::int32_t> ParseMessagePosition(const std::string& text) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::string FormatMessagePosition(std::int32_t position) { return std::to_string(position); }

std::vector<std::string> BuildFontNameList(std::vector<std::string> reportedNames,
                                           TextComparison compare) {
  // A stable sort keeps the first-reported spelling of equal names in front, where unique keeps it.
  std::stable_sort(reportedNames.begin(), reportedNames.end(),
                   [compare](const std::string& a, const std::string& b) { return compare(a, b) < 0; });
  const auto end = std::unique(reportedNames.begin(), reportedNames.end(),
                               [compare](const std::string& a, const std::string& b) { return compare(a, b) == 0; });
  reportedNames.erase(end, reportedNames.end());
  return reportedNames;
}

}  // namespace velmora
