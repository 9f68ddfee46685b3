// The uninstall batch file run by the system's command interpreter, started as the uninstaller
// starts it: the shell's "open" verb, hidden.
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "common/UninstallBatch.h"
#include "install/Uninstaller.h"
#include "win/Handles.h"

namespace velmora {
namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Touch(const std::string& path) {
  const win::FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(file) << path;
}

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  const win::FindHandle find(FindFirstFileA((folder + "*").c_str(), &found));
  if (find) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(folder + name + "\\");
      } else {
        SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA((folder + name).c_str());
      }
    } while (FindNextFileA(find.get(), &found));
  }
  RemoveDirectoryA(folder.c_str());
}

// Watches for `milliseconds` which ping processes the process `parent` starts; their ids.
std::set<DWORD> PingsStartedBy(DWORD parent, DWORD milliseconds) {
  std::set<DWORD> pings;
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (GetTickCount64() < end) {
    const win::FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = snapshot && Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
      if (entry.th32ParentProcessID == parent && lstrcmpiA(entry.szExeFile, "ping.exe") == 0) {
        pings.insert(entry.th32ProcessID);
      }
    }
    Sleep(50);
  }
  return pings;
}

// A folder of its own under the temporary folder; the batch file lies in "run\" so that the
// command line that starts it holds no "%" (the interpreter would expand it there, before the
// batch file's own text is read).
class UninstallBatchRun : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    root_ = std::string(temp) + "velmora-batch-run-" + std::to_string(GetCurrentProcessId()) + "\\";
    RemoveTree(root_);
    ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((root_ + "run").c_str(), nullptr));
    batch_ = root_ + "run\\V.bat";
  }
  void TearDown() override {
    if (process_) {
      TerminateProcess(process_.get(), 1);
      WaitForSingleObject(process_.get(), 5000);
    }
    RemoveTree(root_);
  }

  void Start(const TUninstallBatchPaths& paths) {
    WriteBatchFile(batch_, UninstallBatchText(paths));
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
    info.lpVerb = "open";
    info.lpFile = batch_.c_str();
    info.nShow = SW_HIDE;
    ASSERT_TRUE(ShellExecuteExA(&info));
    ASSERT_NE(info.hProcess, nullptr);
    process_.reset(info.hProcess);
  }
  bool Ended(DWORD milliseconds) { return WaitForSingleObject(process_.get(), milliseconds) == WAIT_OBJECT_0; }

  struct ProcessTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type handle) { CloseHandle(handle); }
  };
  std::string root_, batch_;
  win::UniqueHandle<ProcessTraits> process_;
};

// "%" in every form the interpreter expands in a batch file (a variable, an argument, a modifier,
// a lone sign), and the characters that would be commands outside quotes: exactly the four files
// and the batch file go; neighbours named like their expansions stay.
TEST_F(UninstallBatchRun, HostilePathsDeleteExactlyTheirFiles) {
  const std::string folder = root_ + "vm 100%PATH% 50% a&b^c!d(e)f;g,h=i %1 %~dp0 [x]\\";
  const std::string desktop = root_ + "desk %TEMP%&^!";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(desktop.c_str(), nullptr));
  const std::vector<std::string> doomed = {folder + "Velmora.dll", folder + "V%PATH%x%.scr",
                                           folder + "V%PATH%x%.lng", desktop + "\\V%PATH%x%.lnk"};
  const std::vector<std::string> kept = {folder + "keep.txt", folder + "Vx.scr", folder + "V%x%.scr",
                                         folder + "V%PATH%x%.lnk", desktop + "\\Velmora.dll",
                                         root_ + "Velmora.dll", root_ + "V%PATH%x%.lng", desktop + "\\Vx.lnk"};
  for (const std::string& file : doomed) Touch(file);
  for (const std::string& file : kept) Touch(file);

  Start({folder, "V%PATH%x%.scr", "V%PATH%x%", desktop});
  ASSERT_TRUE(Ended(60000)) << "the batch file did not end within 60 s";
  for (const std::string& file : doomed) EXPECT_FALSE(Exists(file)) << file;
  for (const std::string& file : kept) EXPECT_TRUE(Exists(file)) << file;
  EXPECT_FALSE(Exists(batch_)) << "the batch file did not delete itself";
}

// A file that cannot be deleted yet: the batch file waits, pausing about a second between tries,
// and finishes once the file can go.
class UninstallBatchWait : public UninstallBatchRun, public ::testing::WithParamInterface<bool> {};

TEST_P(UninstallBatchWait, PausesBetweenTriesAndFinishesWhenTheFileIsFree) {
  const bool readOnly = GetParam();
  const std::string folder = root_;
  const std::string library = folder + "Velmora.dll";
  Touch(library);
  win::FileHandle held;
  if (readOnly) {
    ASSERT_TRUE(SetFileAttributesA(library.c_str(), FILE_ATTRIBUTE_READONLY));
  } else {
    held.reset(CreateFileA(library.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
  }
  Start({folder, "V.scr", "V", folder + "desk"});
  const DWORD waited = 10000;
  const std::size_t tries = PingsStartedBy(GetProcessId(process_.get()), waited).size();
  EXPECT_FALSE(Ended(0)) << "the batch file gave up on a file it could not delete";
  std::printf("[ MEASURE  ] %s file: %zu pauses in %.0f s\n", readOnly ? "read-only" : "held-open", tries,
              waited / 1000.0);
  // One pause a second, give or take the time Wine needs to start a process: a loop without a
  // pause starts none, a pause that does not wait starts dozens. The processor time it costs is
  // measured by bench/uninstall-batch-cpu.sh.
  EXPECT_GE(tries, 4u);
  EXPECT_LE(tries, 12u);
  EXPECT_TRUE(Exists(library));

  if (readOnly) {
    SetFileAttributesA(library.c_str(), FILE_ATTRIBUTE_NORMAL);
  } else {
    held.reset();
  }
  ASSERT_TRUE(Ended(30000)) << "the batch file did not finish once the file was free";
  EXPECT_FALSE(Exists(library));
  EXPECT_FALSE(Exists(batch_));
}

INSTANTIATE_TEST_SUITE_P(HeldOpenAndReadOnly, UninstallBatchWait, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "ReadOnly" : "HeldOpen"; });

}  // namespace
}  // namespace velmora
