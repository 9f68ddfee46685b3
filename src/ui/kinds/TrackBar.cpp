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
  if (Position() != before && OnChange) OnChange();
}

void TTrackBar::Scrolled() {
  if (OnChange) OnChange();
}

void TTrackBar::Create() {
  const Props& props = Properties();
  DWORD style = WS_TABSTOP | TBS_AUTOTICKS | TBS_BOTH | (props.vertical ? TBS_VERT : TBS_HORZ);
  if (props.thumbLength > 0) style |= TBS_FIXEDLENGTH;
  CreateControlWindow(TRACKBAR_CLASSA, style);
  SendMessageA(Handle(), TBM_SETRANGEMIN, FALSE, props.minimum);
  SendMessageA(Handle(), TBM_SETRANGEMAX, FALSE, props.maximum);
  SendMessageA(Handle(), TBM_SETPAGESIZE, 0, props.pageSize);
  SendMessageA(Handle(), TBM_SETTICFREQ, props.frequency, 0);
  if (props.thumbLength > 0) SendMessageA(Handle(), TBM_SETTHUMBLENGTH, Owner().Scale(props.thumbLength), 0);
  SendMessageA(Handle(), TBM_SETPOS, TRUE, props.position);
}

}  // namespace velmora
