// Writes the preview picture and the application icon: make_clock_images <bmp> <ico>.
#include <cstdio>
#include <fstream>
#include <vector>

#include "tools/ClockImages.h"

namespace {

bool WriteFile(const char* path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <preview.bmp> <icon.ico>\n", argv[0]);
    return 2;
  }
  if (!WriteFile(argv[1], velmora::MakePreviewBitmap())) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  if (!WriteFile(argv[2], velmora::MakeApplicationIcon())) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
