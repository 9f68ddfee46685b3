#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include "common/win/SpecialFolders.h"
#include "win/Handles.h"

namespace velmora {
namespace {

using Microsoft::WRL::ComPtr;

struct LinkContents {
  std::string path;
  std::string workingDirectory;
};

// Reads a link file back through the shell's own link object.
bool ReadLink(const std::string& linkPath, LinkContents& contents) {
  win::ComInitialization com;
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(link.GetAddressOf())))) {
    return false;
  }
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.GetAddressOf())))) {
    return false;
  }
  wchar_t wide[MAX_PATH + 1] = {};
  MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
  if (FAILED(file->Load(wide, STGM_READ))) return false;
  char text[MAX_PATH + 1] = {};
  if (FAILED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) return false;
  contents.path = text;
  text[0] = '\0';
  if (FAILED(link->GetWorkingDirectory(text, MAX_PATH))) return false;
  contents.workingDirectory = text;
  return true;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// A fresh folder under the temporary folder for the links of one test.
class Shortcut : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    folder_ = std::string(temp) + "velmora-shortcut-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    char target[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, target, MAX_PATH);
    target_ = target;
  }
  void TearDown() override {
    for (const std::string& link : created_) DeleteFileA(link.c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  std::string Link(const std::string& name) {
    created_.push_back(folder_ + "\\" + name);
    return created_.back();
  }

  std::string folder_;
  std::string target_;
  std::vector<std::string> created_;
};

TEST_F(Shortcut, WritesALinkToTheTargetWorkingInItsFolder) {
  const std::string link = Link("Velmora.lnk");
  ASSERT_TRUE(CreateShortcut(target_, link));
  ASSERT_TRUE(FileExists(link));
  LinkContents contents;
  ASSERT_TRUE(ReadLink(link, contents));
  EXPECT_EQ(contents.path, target_);
  EXPECT_EQ(contents.workingDirectory, target_.substr(0, target_.rfind('\\') + 1));
}

TEST_F(Shortcut, TargetWithoutDirectoryGivesAnEmptyWorkingDirectory) {
  const std::string link = Link("Bare.lnk");
  ASSERT_TRUE(CreateShortcut("notepad.exe", link));
  LinkContents contents;
  ASSERT_TRUE(ReadLink(link, contents));
  EXPECT_EQ(contents.workingDirectory, "");
}

TEST_F(Shortcut, FailsForAFolderThatDoesNotExist) {
  const std::string link = folder_ + "\\missing\\Velmora.lnk";
  EXPECT_FALSE(CreateShortcut(target_, link));
  EXPECT_FALSE(FileExists(link));
}

TEST_F(Shortcut, LeavesTheCallersComInitialisationInPlace) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  EXPECT_TRUE(CreateShortcut(target_, Link("Nested.lnk")));
  ComPtr<IShellLinkA> link;
  EXPECT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IShellLinkA,
                                         reinterpret_cast<void**>(link.GetAddressOf()))));
  link.Reset();
  CoUninitialize();
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

struct MultithreadedCall {
  std::string target;
  std::string link;
  bool created = false;
  HRESULT afterwards = E_FAIL;
};

// On a thread whose COM apartment is multithreaded, CoInitialize fails; the shortcut must
// still be written and the thread's own initialisation must survive the call.
DWORD WINAPI CreateShortcutInMultithreadedApartment(void* parameter) {
  auto& call = *static_cast<MultithreadedCall*>(parameter);
  if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return 1;
  call.created = CreateShortcut(call.target, call.link);
  IUnknown* object = nullptr;
  call.afterwards = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IShellLinkA, reinterpret_cast<void**>(&object));
  if (object != nullptr) object->Release();
  CoUninitialize();
  return 0;
}

TEST_F(Shortcut, LeavesAMultithreadedApartmentInitialised) {
  MultithreadedCall call{target_, Link("Threaded.lnk")};
  win::FileHandle thread(
      CreateThread(nullptr, 0, CreateShortcutInMultithreadedApartment, &call, 0, nullptr));
  ASSERT_NE(thread.get(), nullptr);
  ASSERT_EQ(WaitForSingleObject(thread.get(), 10000), WAIT_OBJECT_0);
  EXPECT_TRUE(call.created);
  EXPECT_EQ(call.afterwards, S_OK);
}

}  // namespace
}  // namespace velmora
