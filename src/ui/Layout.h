// Forms as data: the layout table rows a form is built from, and the options of each kind with
// their defaults. A row is made by Row (ui/Form.h) from the form's member it fills, which gives
// its kind and so which options it takes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <variant>

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
struct ComponentLayout;

// A handler of the form's that a row names; made by CallHandler from void (Form::*)() or
// void (Form::*)(TComponent&).
using Handler = void (*)(TForm& form, TComponent& component);
template <auto Method>
void CallHandler(TForm& form, TComponent& component);
// Reads the form's member that holds a component made before; null while the member is empty or
// when the form is of another class. Made by MemberOf.
using MemberSlot = TComponent* (*)(TForm& form);
template <auto Member>
TComponent* MemberOf(TForm& form);

// A colour not given in the table: the component takes its parent's (or the system default).
constexpr ColorValue clDefault = 0x1FFFFFFF;
constexpr ColorValue clRed = 0x000000FF;
constexpr ColorValue SystemColor(int index) { return 0xFF000000u | static_cast<std::uint32_t>(index); }

struct DesignFont {
  const char* name = nullptr;  // with height 0 too: the parent's font
  int height = 0;              // pixels at 96 DPI, negative for the character height
  bool bold = false;
};

// What every kind's options hold; a row names only what differs from these defaults.
struct CommonOptions {
  const char* caption = nullptr;  // none: the component's name; an edit's first text
  unsigned anchors = akLeft | akTop;
  bool alignClient = false;
  DesignFont font;
  ColorValue color = clDefault;
  ColorValue fontColor = clDefault;
  bool visible = true;
  int tabOrder = -1;  // -1: the table order among siblings
  Handler onClick = nullptr;
  Handler onChange = nullptr;
  Handler onTimer = nullptr;
  Handler onEnter = nullptr;
  Handler onExit = nullptr;
  Handler onMouseEnter = nullptr;
  Handler onMouseLeave = nullptr;
};

template <typename Options, typename Field, typename Value>
constexpr Options With(Options options, Field field, Value value) {
  options.*field = value;
  return options;
}

// The setters of what a window shows, for the kinds that have a window; they chain:
// ButtonOptions().Default().ModalResult(mrOK).
template <typename Self>
struct ControlOptions : CommonOptions {
  constexpr Self Caption(const char* value) const { return With(Me(), &CommonOptions::caption, value); }
  constexpr Self Anchors(unsigned value) const { return With(Me(), &CommonOptions::anchors, value); }
  constexpr Self Font(const char* name, int height, bool bold = false) const {
    return With(Me(), &CommonOptions::font, DesignFont{name, height, bold});
  }
  constexpr Self Color(ColorValue value) const { return With(Me(), &CommonOptions::color, value); }
  constexpr Self FontColor(ColorValue value) const { return With(Me(), &CommonOptions::fontColor, value); }
  constexpr Self Hidden() const { return With(Me(), &CommonOptions::visible, false); }
  constexpr Self TabOrder(int value) const { return With(Me(), &CommonOptions::tabOrder, value); }

 protected:
  constexpr const Self& Me() const { return static_cast<const Self&>(*this); }
};

// The kinds with OnChange as their one event.
template <typename Self>
struct ChangingOptions : ControlOptions<Self> {
  template <auto Method>
  constexpr Self OnChange() const { return With(this->Me(), &CommonOptions::onChange, &CallHandler<Method>); }
};

struct FormOptions : ControlOptions<FormOptions> {
  FormBorder border = FormBorder::Dialog;
  bool stayOnTop = false;
  bool centered = false;
  constexpr FormOptions Border(FormBorder value) const { return With(*this, &FormOptions::border, value); }
  constexpr FormOptions StayOnTop() const { return With(*this, &FormOptions::stayOnTop, true); }
  constexpr FormOptions Centered() const { return With(*this, &FormOptions::centered, true); }
};

struct PanelOptions : ControlOptions<PanelOptions> {
  Bevel bevelInner = Bevel::None;
  Bevel bevelOuter = Bevel::None;
  constexpr PanelOptions Bevels(Bevel inner, Bevel outer) const {
    return With(With(*this, &PanelOptions::bevelInner, inner), &PanelOptions::bevelOuter, outer);
  }
  // Fills the parent's client area, whatever its size.
  constexpr PanelOptions AlignClient() const { return With(*this, &CommonOptions::alignClient, true); }
};

struct TabSheetOptions : ControlOptions<TabSheetOptions> {};

struct LabelOptions : ControlOptions<LabelOptions> {
  TextAlignment alignment = TextAlignment::Left;
  bool handCursor = false;  // a label that acts as a link
  constexpr LabelOptions Alignment(TextAlignment value) const { return With(*this, &LabelOptions::alignment, value); }
  constexpr LabelOptions HandCursor() const { return With(*this, &LabelOptions::handCursor, true); }
  template <auto Method>
  constexpr LabelOptions OnClick() const { return With(*this, &CommonOptions::onClick, &CallHandler<Method>); }
  template <auto Method>
  constexpr LabelOptions OnMouseEnter() const {
    return With(*this, &CommonOptions::onMouseEnter, &CallHandler<Method>);
  }
  template <auto Method>
  constexpr LabelOptions OnMouseLeave() const {
    return With(*this, &CommonOptions::onMouseLeave, &CallHandler<Method>);
  }
};

struct ButtonOptions : ControlOptions<ButtonOptions> {
  int modalResult = mrNone;
  bool isDefault = false;
  bool isCancel = false;
  constexpr ButtonOptions ModalResult(int value) const { return With(*this, &ButtonOptions::modalResult, value); }
  constexpr ButtonOptions Default() const { return With(*this, &ButtonOptions::isDefault, true); }
  constexpr ButtonOptions Cancel() const { return With(*this, &ButtonOptions::isCancel, true); }
  template <auto Method>
  constexpr ButtonOptions OnClick() const { return With(*this, &CommonOptions::onClick, &CallHandler<Method>); }
};

struct CheckBoxOptions : ControlOptions<CheckBoxOptions> {
  bool checked = false;
  constexpr CheckBoxOptions Checked() const { return With(*this, &CheckBoxOptions::checked, true); }
  template <auto Method>
  constexpr CheckBoxOptions OnClick() const { return With(*this, &CommonOptions::onClick, &CallHandler<Method>); }
};

// Edits and memos: a length limit, a flat border, and the events of their text and focus.
template <typename Self>
struct TextOptions : ChangingOptions<Self> {
  int maxLength = 0;  // 0: no limit
  bool flatBorder = false;
  constexpr Self MaxLength(int value) const { return With(this->Me(), &TextOptions::maxLength, value); }
  constexpr Self FlatBorder() const { return With(this->Me(), &TextOptions::flatBorder, true); }
  template <auto Method>
  constexpr Self OnEnter() const { return With(this->Me(), &CommonOptions::onEnter, &CallHandler<Method>); }
  template <auto Method>
  constexpr Self OnExit() const { return With(this->Me(), &CommonOptions::onExit, &CallHandler<Method>); }
};

struct EditOptions : TextOptions<EditOptions> {
  char passwordChar = 0;
  constexpr EditOptions PasswordChar(char value) const { return With(*this, &EditOptions::passwordChar, value); }
};

struct MemoOptions : TextOptions<MemoOptions> {
  bool noBorder = false;
  bool readOnly = false;
  bool verticalScrollBar = false;
  bool wantReturns = true;
  TextAlignment alignment = TextAlignment::Left;
  constexpr MemoOptions NoBorder() const { return With(*this, &MemoOptions::noBorder, true); }
  constexpr MemoOptions ReadOnly() const { return With(*this, &MemoOptions::readOnly, true); }
  constexpr MemoOptions VerticalScrollBar() const { return With(*this, &MemoOptions::verticalScrollBar, true); }
  constexpr MemoOptions NoReturns() const { return With(*this, &MemoOptions::wantReturns, false); }
  constexpr MemoOptions Alignment(TextAlignment value) const { return With(*this, &MemoOptions::alignment, value); }
};

struct ComboBoxOptions : ChangingOptions<ComboBoxOptions> {};
struct ColorBoxOptions : ChangingOptions<ColorBoxOptions> {};
struct PageControlOptions : ChangingOptions<PageControlOptions> {};

// Track bars and up-downs: a range and a position in it.
template <typename Self>
struct RangeOptions : ControlOptions<Self> {
  int minimum = 0;
  int maximum = 10;
  int position = 0;
  constexpr Self Range(int low, int high) const {
    return With(With(this->Me(), &RangeOptions::minimum, low), &RangeOptions::maximum, high);
  }
  constexpr Self Position(int value) const { return With(this->Me(), &RangeOptions::position, value); }
};

struct TrackBarOptions : RangeOptions<TrackBarOptions> {
  bool vertical = false;
  int pageSize = 1;
  int frequency = 1;
  int thumbLength = 0;  // 0: the system's
  constexpr TrackBarOptions Vertical() const { return With(*this, &TrackBarOptions::vertical, true); }
  constexpr TrackBarOptions PageSize(int value) const { return With(*this, &TrackBarOptions::pageSize, value); }
  constexpr TrackBarOptions Frequency(int value) const { return With(*this, &TrackBarOptions::frequency, value); }
  constexpr TrackBarOptions ThumbLength(int value) const { return With(*this, &TrackBarOptions::thumbLength, value); }
  template <auto Method>
  constexpr TrackBarOptions OnChange() const { return With(*this, &CommonOptions::onChange, &CallHandler<Method>); }
};

struct UpDownOptions : RangeOptions<UpDownOptions> {
  MemberSlot associate = nullptr;  // the edit whose number it steps
  template <auto Member>
  constexpr UpDownOptions Associate() const { return With(*this, &UpDownOptions::associate, &MemberOf<Member>); }
  template <auto Method>
  constexpr UpDownOptions OnClick() const { return With(*this, &CommonOptions::onClick, &CallHandler<Method>); }
};

// A timer has no window and so none of the look.
struct TimerOptions : CommonOptions {
  unsigned interval = 1000;
  bool enabled = true;
  constexpr TimerOptions Interval(unsigned value) const { return With(*this, &TimerOptions::interval, value); }
  constexpr TimerOptions Disabled() const { return With(*this, &TimerOptions::enabled, false); }
  template <auto Method>
  constexpr TimerOptions OnTimer() const { return With(*this, &CommonOptions::onTimer, &CallHandler<Method>); }
};

using KindOptions = std::variant<FormOptions, PanelOptions, TabSheetOptions, LabelOptions, ButtonOptions,
                                 CheckBoxOptions, EditOptions, MemoOptions, ComboBoxOptions, ColorBoxOptions,
                                 PageControlOptions, TrackBarOptions, UpDownOptions, TimerOptions>;

// Makes the component of a row under its parent; `id` is its control identifier.
using ComponentMaker = std::unique_ptr<TComponent> (*)(TForm& owner, const ComponentLayout& layout,
                                                       TComponent* parent, int id);
// Stores a made component in the form's member.
using MemberStore = void (*)(TForm& form, TComponent& component);

// One row of a form's layout table. The first row is the form itself (its width and height are
// the client area); every other row's parent is the form or a member filled by a row above it.
// Positions are at 96 DPI, relative to the parent's client area; a label with width and height
// 0 sizes itself to its caption. The table order is the ownership order and, among siblings, the
// tab order unless a row says otherwise.
struct ComponentLayout {
  const char* name;
  ComponentKind kind;
  ComponentMaker make;
  MemberStore member;  // none: the form keeps the component only in its list
  MemberSlot parent;   // none: the form
  int left;
  int top;
  int width;
  int height;
  KindOptions options;

  const CommonOptions& Common() const {
    return std::visit([](const CommonOptions& common) -> const CommonOptions& { return common; }, options);
  }
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
