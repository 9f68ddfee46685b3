// Track bars: a range, a page size, tick marks and a thumb; a moved thumb runs OnChange.
#include <windows.h>
#include <commctrl.h>

#include "ui/Form.h"
#include "ui/Kinds.h"

namespace velmora {

int TTrackBar::Position() const { return static_cast<int>(SendMessageA(Handle(), TBM_GETPOS, 0, 0)); }

void TTrackBar::SetPosition(int position) {
  const int before = Position();
  SendMessageA(Handle(), TBM_SETPOS, TRUE, position);
  if (Position() != before) Run(OnChange);
}

LRESULT TTrackBar::Reflect(UINT message, WPARAM, LPARAM) {
  if (message == WM_HSCROLL || message == WM_VSCROLL) Run(OnChange);
  return 0;
}

TTrackBar::TTrackBar(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TComponent(owner, layout, parent, id) {
  const Options& options = OptionsOf<Options>();
  DWORD style = WS_TABSTOP | TBS_AUTOTICKS | TBS_BOTH | (options.vertical ? TBS_VERT : TBS_HORZ);
  if (options.thumbLength > 0) style |= TBS_FIXEDLENGTH;
  CreateControlWindow(TRACKBAR_CLASSA, style);
  SendMessageA(Handle(), TBM_SETRANGEMIN, FALSE, options.minimum);
  SendMessageA(Handle(), TBM_SETRANGEMAX, FALSE, options.maximum);
  SendMessageA(Handle(), TBM_SETPAGESIZE, 0, options.pageSize);
  SendMessageA(Handle(), TBM_SETTICFREQ, options.frequency, 0);
  if (options.thumbLength > 0) SendMessageA(Handle(), TBM_SETTHUMBLENGTH, Owner().Scale(options.thumbLength), 0);
  SendMessageA(Handle(), TBM_SETPOS, TRUE, options.position);
}

}  // namespace velmora
