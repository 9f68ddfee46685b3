// Panels: a framed area with optional bevels and a centred caption.
#include "ui/Form.h"
#include "ui/Kinds.h"

namespace velmora {
namespace {

UINT BevelEdge(Bevel bevel, bool outer) {
  switch (bevel) {
    case Bevel::Raised: return outer ? BDR_RAISEDOUTER : BDR_RAISEDINNER;
    case Bevel::Lowered: return outer ? BDR_SUNKENOUTER : BDR_SUNKENINNER;
    case Bevel::None: break;
  }
  return 0;
}

}  // namespace

TPanel::TPanel(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id)
    : TCustomPanel(owner, layout, parent, id) {
  CreateControlWindow(WindowClass(), WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, {}, -1, CreateParam());
}

void TPanel::PaintContent(HDC dc, const RECT& area) const {
  TCustomPanel::PaintContent(dc, area);
  RECT inside = area;
  const Options& options = OptionsOf<Options>();
  if (options.bevelOuter != Bevel::None) DrawEdge(dc, &inside, BevelEdge(options.bevelOuter, true), BF_RECT | BF_ADJUST);
  if (options.bevelInner != Bevel::None) DrawEdge(dc, &inside, BevelEdge(options.bevelInner, false), BF_RECT | BF_ADJUST);
  const std::string& caption = CaptionText();
  if (caption.empty()) return;
  win::SelectedObject font(dc, FontHandle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ResolveColor(FontColor()));
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &inside,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace velmora
