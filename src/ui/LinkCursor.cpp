#include "ui/LinkCursor.h"

namespace velmora {
namespace {
HCURSOR linkCursor = nullptr;
}  // namespace

void InstallLinkCursor() {
  if (HCURSOR hand = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649))) linkCursor = hand;
}

HCURSOR LinkCursor() {
  return linkCursor != nullptr ? linkCursor : LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
}

}  // namespace velmora
