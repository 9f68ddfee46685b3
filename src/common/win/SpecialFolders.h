// Shell services: the paths of special folders and shell link (".lnk") files.
#pragma once
#include <windows.h>

#include <string>

namespace velmora {

// The file-system path of the shell folder with this CSIDL number, at most 260 characters;
// empty when the folder has no path or anything fails. `owner` is the window the shell may use
// for its messages.
std::string GetSpecialFolderPath(int csidl, HWND owner = nullptr);

// Writes the link file `linkPath` pointing at `target`, with the target's directory part as
// the working directory. True only when the file was saved. Initialises COM for the calling
// thread for the time of the call.
bool CreateShortcut(const std::string& target, const std::string& linkPath);

}  // namespace velmora
