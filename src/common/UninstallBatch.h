// The batch file that removes the program's files after the program has ended: a running
// executable cannot delete itself, so the batch file retries each deletion until it succeeds.
#pragma once
#include <string>

namespace velmora {

// What the batch file deletes, besides itself.
struct TUninstallBatchPaths {
  std::string Folder;          // the running executable's folder, ending with "\"
  std::string ExecutableName;  // its file name with the extension
  std::string ProgramName;     // names the language file and the desktop shortcut
  std::string DesktopFolder;   // without a trailing "\"
};

// Every try that finds the file still there waits about a second before the next: ping sends
// its second echo one second after the first, needs no console input (unlike timeout or choice,
// which refuse a batch file started without one) and exists on every Windows since NT.
inline constexpr char kUninstallPauseCommand[] = "ping -n 2 127.0.0.1 > nul";
// The tries of all loops together: 43200 pauses of about a second, some twelve hours, so the
// wait for the executable outlives a lock screen left running overnight; a file that can never
// be deleted (no rights in its folder) is given up after that and the batch file deletes itself.
inline constexpr int kUninstallTryLimit = 43200;

// A path as a double-quoted argument of a batch-file line that names exactly that file: every
// "%" doubled, since the command interpreter expands "%" even inside quotes. "^", "&", "|", "<",
// ">", "(" and ")" are literal inside quotes; "!" is literal while delayed expansion is off (the
// default); a path cannot hold a double quote or a control character.
std::string BatchQuotedPath(const std::string& path);

// The whole text, 8-bit, every line ended by CR LF: labels L1 to L4, for the key-locking
// library, the executable, the language file and the desktop shortcut in this order, each a
// "del ... > nul" line and a retry line that pauses and counts; then "del %0 > nul".
std::string UninstallBatchText(const TUninstallBatchPaths& paths);

}  // namespace velmora
