// The settings store: ProgramName, FontNames, TSavedSettings and MessagePosition in the
// current user's registry key "Software\<ProgramName>".
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/Settings.h"

namespace velmora {

// Start-up owns one store for the whole run and hands it to the windows that read or write the
// settings; tests and helpers make their own.
class TSettingsStore {
 public:
  // Named after the running executable; the fonts are enumerated at the first FontNames.
  TSettingsStore();
  // Named `programName`, for the key "Software\<programName>" and the Run value of that name.
  explicit TSettingsStore(std::string programName);
  // With `fontNames` (sorted, no duplicates) taken as the installed faces: nothing is enumerated.
  TSettingsStore(std::string programName, std::vector<std::string> fontNames);
  TSettingsStore(const TSettingsStore&) = delete;
  TSettingsStore& operator=(const TSettingsStore&) = delete;

  // The settings as the windows read and change them in memory; only Save and End store them.
  TSavedSettings SavedSettings;
  std::int32_t MessagePosition = 0;  // x of the scrolling message's left edge

  const std::string& ProgramName() const { return programName_; }
  // The installed faces, sorted, no duplicates, enumerated at the first call. Wine takes a
  // quarter of a second and more for its first font enumeration, which the lock screen does not
  // wait for to cover the screen.
  const std::vector<std::string>& FontNames();

  // Fills SavedSettings and MessagePosition; Dirty is 0 afterwards. Without a stored 96-byte
  // record, or when the key can be neither opened nor created, the defaults are taken. Throws
  // Error for a value of the wrong type; the record is then left as it was.
  void Load();
  // Writes MessagePosition and, when Dirty is set, the record, the message and the Run entry.
  // The password is scrambled in a copy: the record in memory stays as it was, but for Dirty,
  // which is 0 once the record is stored. Throws Error when a key cannot be created or a value
  // cannot be written.
  void Save();

  // After a confirmed uninstall has removed the keys: the exit writes nothing back.
  void WriteNothingBack() { writeNothingBack_ = true; }
  // Whether End saves: not after WriteNothingBack, nor while ConfigPage is negative.
  bool WritesBackAtExit() const { return !writeNothingBack_ && SavedSettings.ConfigPage >= 0; }
  // Process exit: Save when WritesBackAtExit; then the name, the fonts and the message are
  // released, also when saving fails.
  void End();

 private:
  void TakeDefaults();
  std::string KeyPath() const { return "Software\\" + programName_; }

  std::string programName_;
  std::vector<std::string> fontNames_;
  // The faces enumerated with the symbol character set: they cannot draw the message, so the
  // defaults pass them over.
  std::vector<std::string> symbolFaceNames_;
  bool fontNamesPending_ = true;
  bool writeNothingBack_ = false;
};

}  // namespace velmora
