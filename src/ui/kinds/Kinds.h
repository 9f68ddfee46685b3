// The makers of the component kinds, each defined beside its kind class in this folder;
// MakeComponent picks one by the layout row's kind.
#pragma once
#include <memory>

#include "ui/Component.h"

namespace velmora::kinds {

// Makes the component of the kind without creating its window.
using Maker = std::unique_ptr<TComponent>(TForm& owner, const ComponentLayout& layout, TComponent* parent, int id);

Maker MakeForm;
Maker MakePanel;
Maker MakeLabel;
Maker MakeCheckBox;
Maker MakeButton;
Maker MakeEdit;  // single-line edits and memos
Maker MakeComboBox;
Maker MakeColorBox;
Maker MakeTrackBar;
Maker MakeUpDown;
Maker MakePageControl;
Maker MakeTabSheet;
Maker MakeTimer;

}  // namespace velmora::kinds
