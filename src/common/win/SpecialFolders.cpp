#include "common/win/SpecialFolders.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include "common/FileNames.h"
#include "win/Handles.h"

namespace velmora {

using Microsoft::WRL::ComPtr;

namespace {

std::wstring ToWide(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

}  // namespace

std::string GetSpecialFolderPath(int csidl, HWND owner) {
  ComPtr<IMalloc> allocator;
  if (FAILED(SHGetMalloc(allocator.GetAddressOf()))) return std::string();
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(owner, csidl, &list)) || list == nullptr) {
    return std::string();
  }
  char path[MAX_PATH + 1] = {};
  const BOOL converted = SHGetPathFromIDListA(list, path);
  allocator->Free(list);
  return converted ? std::string(path) : std::string();
}

bool CreateShortcut(const std::string& target, const std::string& linkPath) {
  win::ComInitialization com;
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(link.GetAddressOf())))) {
    return false;
  }
  link->SetPath(target.c_str());
  link->SetWorkingDirectory(DirectoryPart(target).c_str());
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.GetAddressOf())))) {
    return false;
  }
  return SUCCEEDED(file->Save(ToWide(linkPath).c_str(), TRUE));
}

}  // namespace velmora
