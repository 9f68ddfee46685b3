// A stand-in Windows folder, working directory and desktop under the temporary folder, with the
// three files to install and the plan that installs them there; removed again afterwards,
// together with the plan's uninstall key.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "common/InstallPlan.h"
#include "win/Handles.h"

namespace velmora::testing {

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline void Write(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string Read(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

class InstallSandbox : public ::testing::Test {
 protected:
  // `name` is the program's name, and names the sandbox's folder.
  explicit InstallSandbox(std::string name) : name_(std::move(name)) {}

  void SetUp() override {
    char temp[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    root_ = std::string(temp) + name_ + "-" + std::to_string(GetCurrentProcessId()) + "\\";
    for (const char* folder : {"", "source", "work", "windows", "windows\\SYSTEM32", "desktop"}) {
      CreateDirectoryA((root_ + folder).c_str(), nullptr);
    }
    Write(root_ + "source\\" + name_ + ".scr", "program");
    Write(root_ + "work\\Velmora.dll", "library");
    Write(root_ + "work\\" + name_ + ".lng", "language");
    plan_ = BuildInstallPlan(root_ + "source\\" + name_ + ".scr", name_, root_ + "work", root_ + "windows",
                             root_ + "desktop");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, plan_.UninstallKeyPath.c_str());
  }

  void TearDown() override {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, plan_.UninstallKeyPath.c_str());
    for (const char* file : {"source\\*", "work\\*", "windows\\SYSTEM32\\*", "desktop\\*"}) {
      WIN32_FIND_DATAA found;
      const std::string pattern = root_ + file;
      const std::string folder = pattern.substr(0, pattern.size() - 1);
      const win::FindHandle find(FindFirstFileA(pattern.c_str(), &found));
      if (!find) continue;
      do DeleteFileA((folder + found.cFileName).c_str());
      while (FindNextFileA(find.get(), &found));
    }
    for (const char* folder : {"source", "work", "windows\\SYSTEM32", "windows", "desktop", ""}) {
      RemoveDirectoryA((root_ + folder).c_str());
    }
  }

  std::string System(const std::string& name) const { return root_ + "windows\\SYSTEM32\\" + name; }

  std::string name_;
  std::string root_;
  TInstallPlan plan_;
};

}  // namespace velmora::testing
