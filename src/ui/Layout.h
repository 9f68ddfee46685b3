// Forms as data: the layout table rows a form is built from, with their defaulted properties.
#pragma once
#include <cstddef>
#include <cstdint>

#include "common/ComponentKinds.h"
#include "core/ColorValue.h"

namespace velmora {

// Which edges of its parent a component keeps its distance to when the parent is resized.
enum Anchor : unsigned {
  akLeft = 1,
  akTop = 2,
  akRight = 4,
  akBottom = 8,
};

enum class Bevel { None, Lowered, Raised };
enum class FormBorder { Dialog, Single, None };
enum class TextAlignment { Left, Center, Right };

enum ModalResult : int {
  mrNone = 0,
  mrOK = 1,
  mrCancel = 2,
};

class TForm;
class TComponent;

// How a layout row ties its component to the form: stores it in the form's member of its kind,
// or calls one of the form's handlers. Made by Props::Bind and Props::On…, run when the form is
// built (TForm::BindComponents).
using ComponentBinder = void (*)(TForm& form, TComponent& component);
template <auto Member>
void BindMember(TForm& form, TComponent& component);
template <auto Handler>
void CallHandler(TForm& form, TComponent& component);

enum class EventKind { Click, Change, Timer, Enter, Exit, MouseEnter, MouseLeave };
struct EventBinding {
  EventKind event = EventKind::Click;
  ComponentBinder call = nullptr;
};

// A colour not given in the table: the component takes its parent's (or the system default).
constexpr ColorValue clDefault = 0x1FFFFFFF;
constexpr ColorValue clRed = 0x000000FF;
constexpr ColorValue SystemColor(int index) { return 0xFF000000u | static_cast<std::uint32_t>(index); }

// The properties of one component; every field holds what a component has when its row does not
// say otherwise, and the setters chain so that a row names only what differs:
// Props().Default().ModalResult(mrOK).
struct Props {
  const char* caption = nullptr;  // design caption; none means the component's own name
  char passwordChar = 0;
  Bevel bevelInner = Bevel::None;
  Bevel bevelOuter = Bevel::None;
  int modalResult = mrNone;
  bool isDefault = false;
  bool isCancel = false;
  unsigned anchors = akLeft | akTop;
  bool alignClient = false;
  const char* fontName = nullptr;  // with fontHeight 0 too: the parent's font
  int fontHeight = 0;              // pixels at 96 DPI, negative for character height
  bool fontBold = false;
  ColorValue color = clDefault;
  ColorValue fontColor = clDefault;
  bool visible = true;
  bool enabled = true;
  int tabOrder = -1;  // -1: the table order among siblings
  int maxLength = 0;  // 0: no limit
  bool readOnly = false;
  bool verticalScrollBar = false;
  bool flatBorder = false;
  bool noBorder = false;
  bool wantReturns = true;
  bool checked = false;
  TextAlignment alignment = TextAlignment::Left;
  unsigned interval = 1000;  // timers
  bool timerEnabled = true;
  bool vertical = false;  // track bars
  int minimum = 0;
  int maximum = 10;
  int position = 0;
  int pageSize = 1;
  int frequency = 1;
  int thumbLength = 0;
  const char* associate = nullptr;  // up-down: the edit it is attached to
  FormBorder border = FormBorder::Dialog;  // forms
  bool stayOnTop = false;
  bool centered = false;
  bool keyboardNavigation = true;   // Tab, Enter and Esc as in dialogs
  bool handCursor = false;          // labels that act as links
  ComponentBinder member = nullptr;  // the form's member that holds the component
  EventBinding events[3] = {};       // its handlers

  constexpr Props Caption(const char* value) const { Props p = *this; p.caption = value; return p; }
  constexpr Props PasswordChar(char value) const { Props p = *this; p.passwordChar = value; return p; }
  constexpr Props Bevels(Bevel inner, Bevel outer) const {
    Props p = *this;
    p.bevelInner = inner;
    p.bevelOuter = outer;
    return p;
  }
  constexpr Props ModalResult(int value) const { Props p = *this; p.modalResult = value; return p; }
  constexpr Props Default() const { Props p = *this; p.isDefault = true; return p; }
  constexpr Props Cancel() const { Props p = *this; p.isCancel = true; return p; }
  constexpr Props Anchors(unsigned value) const { Props p = *this; p.anchors = value; return p; }
  constexpr Props AlignClient() const { Props p = *this; p.alignClient = true; return p; }
  constexpr Props Font(const char* name, int height, bool bold = false) const {
    Props p = *this;
    p.fontName = name;
    p.fontHeight = height;
    p.fontBold = bold;
    return p;
  }
  constexpr Props Color(ColorValue value) const { Props p = *this; p.color = value; return p; }
  constexpr Props FontColor(ColorValue value) const { Props p = *this; p.fontColor = value; return p; }
  constexpr Props Hidden() const { Props p = *this; p.visible = false; return p; }
  constexpr Props Disabled() const { Props p = *this; p.enabled = false; return p; }
  constexpr Props TabOrder(int value) const { Props p = *this; p.tabOrder = value; return p; }
  constexpr Props MaxLength(int value) const { Props p = *this; p.maxLength = value; return p; }
  constexpr Props ReadOnly() const { Props p = *this; p.readOnly = true; return p; }
  constexpr Props VerticalScrollBar() const { Props p = *this; p.verticalScrollBar = true; return p; }
  constexpr Props FlatBorder() const { Props p = *this; p.flatBorder = true; return p; }
  constexpr Props NoBorder() const { Props p = *this; p.noBorder = true; return p; }
  constexpr Props NoReturns() const { Props p = *this; p.wantReturns = false; return p; }
  constexpr Props Checked() const { Props p = *this; p.checked = true; return p; }
  constexpr Props Alignment(TextAlignment value) const { Props p = *this; p.alignment = value; return p; }
  constexpr Props Interval(unsigned value) const { Props p = *this; p.interval = value; return p; }
  constexpr Props TimerDisabled() const { Props p = *this; p.timerEnabled = false; return p; }
  constexpr Props Vertical() const { Props p = *this; p.vertical = true; return p; }
  constexpr Props Range(int low, int high) const {
    Props p = *this;
    p.minimum = low;
    p.maximum = high;
    return p;
  }
  constexpr Props Position(int value) const { Props p = *this; p.position = value; return p; }
  constexpr Props PageSize(int value) const { Props p = *this; p.pageSize = value; return p; }
  constexpr Props Frequency(int value) const { Props p = *this; p.frequency = value; return p; }
  constexpr Props ThumbLength(int value) const { Props p = *this; p.thumbLength = value; return p; }
  constexpr Props Associate(const char* value) const { Props p = *this; p.associate = value; return p; }
  constexpr Props Border(FormBorder value) const { Props p = *this; p.border = value; return p; }
  constexpr Props StayOnTop() const { Props p = *this; p.stayOnTop = true; return p; }
  constexpr Props Centered() const { Props p = *this; p.centered = true; return p; }
  constexpr Props HandCursor() const { Props p = *this; p.handCursor = true; return p; }
  constexpr Props NoKeyboardNavigation() const { Props p = *this; p.keyboardNavigation = false; return p; }

  // The form's member (a pointer to the component's kind) that the component is stored in.
  template <auto Member>
  constexpr Props Bind() const { Props p = *this; p.member = &BindMember<Member>; return p; }
  // The form's handlers of the component's events: void (Form::*)() or void (Form::*)(TComponent&).
  template <auto Handler>
  constexpr Props OnClick() const { return On(EventKind::Click, &CallHandler<Handler>); }
  template <auto Handler>
  constexpr Props OnChange() const { return On(EventKind::Change, &CallHandler<Handler>); }
  template <auto Handler>
  constexpr Props OnTimer() const { return On(EventKind::Timer, &CallHandler<Handler>); }
  template <auto Handler>
  constexpr Props OnEnter() const { return On(EventKind::Enter, &CallHandler<Handler>); }
  template <auto Handler>
  constexpr Props OnExit() const { return On(EventKind::Exit, &CallHandler<Handler>); }
  template <auto Handler>
  constexpr Props OnMouseEnter() const { return On(EventKind::MouseEnter, &CallHandler<Handler>); }
  template <auto Handler>
  constexpr Props OnMouseLeave() const { return On(EventKind::MouseLeave, &CallHandler<Handler>); }

  constexpr Props On(EventKind event, ComponentBinder call) const {
    Props p = *this;
    for (EventBinding& binding : p.events) {
      if (binding.call == nullptr) {
        binding = EventBinding{event, call};
        return p;
      }
    }
    throw "a layout row has at most three handlers";
  }
};

// One row of a form's layout table. The first row is the form itself (no parent; its width and
// height are the client area); every other row names a parent that stands above it. Positions
// are at 96 DPI, relative to the parent's client area; a label with width and height 0 sizes
// itself to its caption. The table order is the ownership order and, among siblings, the tab
// order unless a row says otherwise.
struct ComponentLayout {
  const char* name;
  ComponentKind kind;
  const char* parent;
  int left;
  int top;
  int width;
  int height;
  Props props;
};

// A whole layout table, as a window module hands it out.
struct LayoutTable {
  const ComponentLayout* rows = nullptr;
  std::size_t count = 0;

  template <std::size_t N>
  constexpr explicit LayoutTable(const ComponentLayout (&table)[N]) : rows(table), count(N) {}
  const ComponentLayout* begin() const { return rows; }
  const ComponentLayout* end() const { return rows + count; }
};

}  // namespace velmora
