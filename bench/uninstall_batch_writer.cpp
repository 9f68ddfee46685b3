// Writes the uninstall batch file for given paths, as the uninstaller writes it, for
// bench/uninstall-batch-cpu.sh.
// Usage: uninstall_batch_writer <batch file> <folder\> <executable name> <program name> <desktop>
#include <cstdio>
#include <exception>

#include "common/UninstallBatch.h"
#include "install/Uninstaller.h"

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: uninstall_batch_writer <batch> <folder\\> <exe> <name> <desktop>\n");
    return 2;
  }
  try {
    velmora::WriteBatchFile(argv[1], velmora::ToBatchCodePage(velmora::UninstallBatchText({argv[2], argv[3], argv[4], argv[5]})));
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "%s\n", failure.what());
    return 1;
  }
  return 0;
}
