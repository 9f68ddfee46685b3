#include "core/win/SettingsStore.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <exception>

#include "core/RecordImage.h"
#include "core/Settings.h"
#include "core/win/ProgramName.h"
#include "win/Handles.h"
#include "win/LocaleText.h"
#include "win/Process.h"
#include "win/Registry.h"

namespace velmora {
namespace {

constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kMessageValue[] = "Message";
constexpr char kMessagePositionValue[] = "MessagePosition";
constexpr char kRecordValue[] = "";

std::string SettingsKeyPath() { return "Software\\" + ProgramName; }

std::int32_t PrimaryScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }

// The faces the last font enumeration reported with the symbol character set: they cannot draw
// the message, so the defaults pass them over.
std::vector<std::string> SymbolFaceNames;

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

// The face of the system's message font; empty when the system does not say.
std::string SystemMessageFace() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return {};
  return std::string(metrics.lfMessageFont.lfFaceName, strnlen(metrics.lfMessageFont.lfFaceName, LF_FACESIZE));
}

// StartSettingsStore left the fonts for EnsureFontNames.
bool fontNamesPending = false;

void TakeDefaults() {
  EnsureFontNames();
  ApplyDefaults(SavedSettings, FontNames, FontTraits{SystemMessageFace(), SymbolFaceNames});
  MessagePosition = PrimaryScreenWidth();
}

}  // namespace

void EnsureFontNames() {
  if (!fontNamesPending) return;
  EnumerateFontNames();
  fontNamesPending = false;
}

void FindProgramName() { ProgramName = ProgramNameOf(win::ExecutablePath()); }

void EnumerateFontNames() {
  FontEnumeration enumeration;
  {
    const win::WindowDC screen(nullptr);
    EnumFontsA(screen.get(), nullptr, CollectFontName, reinterpret_cast<LPARAM>(&enumeration));
  }
  if (enumeration.failure) std::rethrow_exception(enumeration.failure);
  FontNames = BuildFontNameList(std::move(enumeration.names), win::CompareIgnoringCaseByLocale);
  SymbolFaceNames = std::move(enumeration.symbolNames);
}

void LoadSettings() {
  const win::RegistryKey key = win::OpenKey(HKEY_CURRENT_USER, SettingsKeyPath());
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

void SaveSettings() {
  {
    const win::RegistryKey key = win::OpenKeyForWriting(HKEY_CURRENT_USER, SettingsKeyPath());
    win::WriteText(key.get(), kMessagePositionValue, FormatMessagePosition(MessagePosition));
  }
  if (SavedSettings.Dirty == 0) return;
  {
    const win::RegistryKey key = win::OpenKeyForWriting(HKEY_CURRENT_USER, SettingsKeyPath());
    TSavedSettings stored = SavedSettings;
    ScramblePassword(stored);
    win::WriteText(key.get(), kMessageValue, stored.Message);
    const RecordImage image = EncodeRecordImage(stored);
    win::WriteBinary(key.get(), kRecordValue, image.data(), image.size());
  }
  const win::RegistryKey run = win::OpenKeyForWriting(HKEY_CURRENT_USER, kRunKeyPath);
  if (SavedSettings.AutoRun != 0) {
    win::WriteText(run.get(), ProgramName, win::ExecutablePath());
  } else {
    win::DeleteValue(run.get(), ProgramName);
  }
  SavedSettings.Dirty = 0;
}

void StartSettingsStore() {
  FindProgramName();
  FontNames.clear();
  fontNamesPending = true;
  LoadSettings();
}

void EndSettingsStore() {
  // The values go even when the write-back fails.
  struct Release {
    ~Release() {
      fontNamesPending = false;
      std::vector<std::string>().swap(FontNames);
      std::vector<std::string>().swap(SymbolFaceNames);
      std::string().swap(ProgramName);
      std::string().swap(SavedSettings.Message);
    }
  } release;
  if (SavedSettings.ConfigPage >= 0) SaveSettings();
}

}  // namespace velmora
