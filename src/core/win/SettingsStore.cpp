#include "core/win/SettingsStore.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <exception>

#include "core/RecordImage.h"
#include "core/ScopeExit.h"
#include "core/Settings.h"
#include "core/win/ProgramName.h"
#include "win/Handles.h"
#include "win/LocaleText.h"
#include "win/Process.h"
#include "win/Registry.h"

namespace velmora {
namespace {

constexpr char kMessageValue[] = "Message";
constexpr char kMessagePositionValue[] = "MessagePosition";
constexpr char kRecordValue[] = "";

std::int32_t PrimaryScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }

// What the font enumeration callback collects; a failure is carried past the callback.
struct FontEnumeration {
  std::vector<std::string> names;
  std::vector<std::string> symbolNames;
  std::exception_ptr failure;
};

int CALLBACK CollectFontName(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM data) {
  auto* enumeration = reinterpret_cast<FontEnumeration*>(data);
  try {
    enumeration->names.emplace_back(font->lfFaceName, strnlen(font->lfFaceName, LF_FACESIZE));
    if (font->lfCharSet == SYMBOL_CHARSET) enumeration->symbolNames.push_back(enumeration->names.back());
    return 1;
  } catch (...) {
    enumeration->failure = std::current_exception();
    return 0;
  }
}

// The installed faces as the screen's device context reports them, the list sorted by the
// user's locale without duplicates.
FontEnumeration EnumerateFontNames() {
  FontEnumeration enumeration;
  {
    const win::WindowDC screen(nullptr);
    EnumFontsA(screen.get(), nullptr, CollectFontName, reinterpret_cast<LPARAM>(&enumeration));
  }
  if (enumeration.failure) std::rethrow_exception(enumeration.failure);
  enumeration.names = BuildFontNameList(std::move(enumeration.names), win::CompareIgnoringCaseByLocale);
  return enumeration;
}

// The face of the system's message font; empty when the system does not say.
std::string SystemMessageFace() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return {};
  return std::string(metrics.lfMessageFont.lfFaceName, strnlen(metrics.lfMessageFont.lfFaceName, LF_FACESIZE));
}

}  // namespace

TSettingsStore::TSettingsStore() : TSettingsStore(ProgramNameOf(win::ExecutablePath())) {}

TSettingsStore::TSettingsStore(std::string programName) : programName_(std::move(programName)) {}

TSettingsStore::TSettingsStore(std::string programName, std::vector<std::string> fontNames)
    : programName_(std::move(programName)), fontNames_(std::move(fontNames)), fontNamesPending_(false) {}

const std::vector<std::string>& TSettingsStore::FontNames() {
  if (fontNamesPending_) {
    FontEnumeration enumeration = EnumerateFontNames();
    fontNames_ = std::move(enumeration.names);
    symbolFaceNames_ = std::move(enumeration.symbolNames);
    fontNamesPending_ = false;
  }
  return fontNames_;
}

void TSettingsStore::TakeDefaults() {
  // The enumeration also finds the symbol faces: it comes first.
  const std::vector<std::string>& fontNames = FontNames();
  ApplyDefaults(SavedSettings, fontNames, FontTraits{SystemMessageFace(), symbolFaceNames_});
  MessagePosition = PrimaryScreenWidth();
}

void TSettingsStore::Load() {
  const win::RegistryKey key = win::OpenKey(HKEY_CURRENT_USER, KeyPath());
  if (!key) {
    TakeDefaults();
  } else {
    const std::optional<std::string> positionText = win::ReadText(key.get(), kMessagePositionValue);
    const std::optional<std::int32_t> position = positionText ? ParseMessagePosition(*positionText) : std::nullopt;
    MessagePosition = position.value_or(PrimaryScreenWidth());

    const std::optional<std::vector<std::uint8_t>> stored = win::ReadBinary(key.get(), kRecordValue, kRecordImageSize);
    RecordImage image{};
    if (stored) std::copy(stored->begin(), stored->end(), image.begin());
    // A damaged image is read as the defaults and stays stored as it is until the owner saves.
    if (stored && IsUsableRecordImage(image)) {
      // Read everything before touching the record, so that a refused value leaves it whole.
      TSavedSettings loaded = SavedSettings;
      DecodeRecordImage(image, loaded);
      UnscramblePassword(loaded);
      loaded.Message = win::ReadText(key.get(), kMessageValue).value_or(std::string());
      // A longer stored message stays stored as it is until the owner saves another.
      if (loaded.Message.size() > static_cast<std::size_t>(kMaxMessageLength)) {
        loaded.Message.resize(kMaxMessageLength);
      }
      AdjustLoadedConfigPage(loaded);
      SavedSettings = std::move(loaded);
    } else {
      TakeDefaults();
    }
  }
  SavedSettings.Dirty = 0;
}

void TSettingsStore::Save() {
  {
    const win::RegistryKey key = win::OpenKeyForWriting(HKEY_CURRENT_USER, KeyPath());
    win::WriteText(key.get(), kMessagePositionValue, FormatMessagePosition(MessagePosition));
  }
  if (SavedSettings.Dirty == 0) return;
  {
    const win::RegistryKey key = win::OpenKeyForWriting(HKEY_CURRENT_USER, KeyPath());
    TSavedSettings stored = SavedSettings;
    ScramblePassword(stored);
    win::WriteText(key.get(), kMessageValue, stored.Message);
    const RecordImage image = EncodeRecordImage(stored);
    win::WriteBinary(key.get(), kRecordValue, image.data(), image.size());
  }
  const win::RegistryKey run = win::OpenKeyForWriting(HKEY_CURRENT_USER, win::kRunKeyPath);
  if (SavedSettings.AutoRun != 0) {
    win::WriteText(run.get(), programName_, win::ExecutablePath());
  } else {
    win::DeleteValue(run.get(), programName_);
  }
  SavedSettings.Dirty = 0;
}

void TSettingsStore::End() {
  // The values go even when the write-back fails.
  const ScopeExit release([this] {
    fontNamesPending_ = false;
    std::vector<std::string>().swap(fontNames_);
    std::vector<std::string>().swap(symbolFaceNames_);
    std::string().swap(programName_);
    std::string().swap(SavedSettings.Message);
  });
  if (WritesBackAtExit()) Save();
}

}  // namespace velmora
