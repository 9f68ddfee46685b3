// The settings store: ProgramName, FontNames, TSavedSettings and MessagePosition in the
// current user's registry key "Software\<ProgramName>".
#pragma once

namespace velmora {

void FindProgramName();
void EnumerateFontNames();
// Enumerates the installed fonts into FontNames if StartSettingsStore left that for later; call
// before reading FontNames. Wine takes a quarter of a second and more for its first font
// enumeration, which the lock screen does not wait for to cover the screen.
void EnsureFontNames();
// Fills SavedSettings and MessagePosition; Dirty is 0 afterwards. Without a stored 96-byte
// record, or when the key can be neither opened nor created, the defaults are taken. Throws
// Error for a value of the wrong type; the record is then left as it was.
void LoadSettings();
// Writes MessagePosition and, when Dirty is set, the record, the message and the Run entry.
// The password is scrambled in a copy: the record in memory stays as it was, but for Dirty,
// which is 0 once the record is stored. Throws Error when a key cannot be created or a value
// cannot be written.
void SaveSettings();

// Process start: FindProgramName and LoadSettings; the fonts are enumerated at the first
// EnsureFontNames (by LoadSettings itself when it takes the defaults).
void StartSettingsStore();
// Process exit: SaveSettings unless ConfigPage is negative; then the values are released.
void EndSettingsStore();

}  // namespace velmora
