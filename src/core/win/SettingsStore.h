// The settings store: ProgramName, FontNames, TSavedSettings and MessagePosition in the
// current user's registry key "Software\<ProgramName>".
#pragma once

namespace velmora {

void FindProgramName();
void EnumerateFontNames();
// Fills SavedSettings and MessagePosition; Dirty is 0 afterwards.
void LoadSettings();
// Writes MessagePosition and, when Dirty is set, the record, the message and the Run entry.
// Leaves the in-memory password scrambled and Message empty: call LoadSettings before using
// the record again.
void SaveSettings();

// Process start: FindProgramName, EnumerateFontNames, LoadSettings.
void StartSettingsStore();
// Process exit: SaveSettings unless ConfigPage is negative; then the values are released.
void EndSettingsStore();

}  // namespace velmora
