// The resources compiled into the built Velmora.scr: preview picture, display name, icon,
// manifest and version.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace velmora {
namespace {

class ProgramResources : public testing::Test {
 protected:
  void SetUp() override {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program(path, length);
    program = program.substr(0, program.find_last_of("\\/") + 1) + "Velmora.scr";
    module_ = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr) << program;
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }

  std::string Data(LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(module_, name, type);
    if (found == nullptr) return {};
    HGLOBAL loaded = LoadResource(module_, found);
    const char* bytes = static_cast<const char*>(LockResource(loaded));
    return std::string(bytes, SizeofResource(module_, found));
  }

  HMODULE module_ = nullptr;
};

TEST_F(ProgramResources, PreviewPictureIs87By88With256Colours) {
  const std::string data = Data("150x120", MAKEINTRESOURCEA(2));
  ASSERT_EQ(data.size(), 40u + 1024u + 88u * 88u);
  BITMAPINFOHEADER header;
  memcpy(&header, data.data(), sizeof header);
  EXPECT_EQ(header.biWidth, 87);
  EXPECT_EQ(header.biHeight, 88);
  EXPECT_EQ(header.biBitCount, 8);
  EXPECT_EQ(header.biClrUsed, 256u);
  // Resource names match without regard to case.
  EXPECT_NE(FindResourceA(module_, "150X120", MAKEINTRESOURCEA(2)), nullptr);

  HBITMAP picture = static_cast<HBITMAP>(
      LoadImageA(module_, "150x120", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(picture, nullptr);
  BITMAP size{};
  GetObjectA(picture, sizeof size, &size);
  EXPECT_EQ(size.bmWidth, 87);
  EXPECT_EQ(size.bmHeight, 88);
  DeleteObject(picture);
}

TEST_F(ProgramResources, StringOneIsTheDisplayName) {
  char text[64] = {};
  EXPECT_EQ(LoadStringA(module_, 1, text, sizeof text), 7);
  EXPECT_STREQ(text, "Velmora");
}

TEST_F(ProgramResources, IconGroupOneHoldsThreeSizes) {
  const std::string group = Data(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14));
  // GRPICONDIR: reserved, type 1, count, then 14-byte entries.
  ASSERT_EQ(group.size(), 6u + 3u * 14u);
  EXPECT_EQ(group[2], 1);
  EXPECT_EQ(group[4], 3);
  EXPECT_EQ(static_cast<unsigned char>(group[6]), 16);
  EXPECT_EQ(static_cast<unsigned char>(group[20]), 32);
  EXPECT_EQ(static_cast<unsigned char>(group[34]), 48);
}

TEST_F(ProgramResources, ManifestAsksForCommonControlsSixAndNoElevation) {
  const std::string manifest = Data(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);
  EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);
}

// The build's project(VERSION), major.minor.patch, with a fourth number 0.
TEST_F(ProgramResources, VersionIsTheProjectVersion) {
  unsigned major = 0, minor = 0, patch = 0;
  ASSERT_EQ(sscanf(VELMORA_PROJECT_VERSION, "%u.%u.%u", &major, &minor, &patch), 3);
  const std::string version = Data(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
  const std::string signature("\xBD\x04\xEF\xFE", 4);
  const std::size_t fixed = version.find(signature);
  ASSERT_NE(fixed, std::string::npos);
  VS_FIXEDFILEINFO info;
  ASSERT_GE(version.size(), fixed + sizeof info);
  memcpy(&info, version.data() + fixed, sizeof info);
  EXPECT_EQ(info.dwFileVersionMS, major << 16 | minor);
  EXPECT_EQ(info.dwFileVersionLS, patch << 16);
  EXPECT_EQ(info.dwFileType, static_cast<DWORD>(VFT_APP));
}

}  // namespace
}  // namespace velmora
