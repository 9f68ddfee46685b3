// The program's name: the executable's file name as the file system spells it, without extension.
#pragma once
#include <string>

namespace velmora {

// The name of the file at `executablePath` without its extension, in the case and long form in
// which the file system stores it, whatever spelling the path uses; when no such file is found,
// the path's own name part without its extension.
std::string ProgramNameOf(const std::string& executablePath);

}  // namespace velmora
