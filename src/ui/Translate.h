// Translating a form from the language table and preparing how its controls paint.
#pragma once
#include <string>
#include <vector>

#include "ui/Layout.h"

namespace velmora {

class TComponent;
class TForm;

// Sets the texts of the form and of every component it owns, in ownership order, from
// LanguageTable: which of caption, text and hint an entry sets depends on the component's kind.
// A component without an entry keeps its design texts.
void TranslateForm(TForm& form);

// Panels (and tab sheets) paint their own background instead of their parent's; every windowed
// control, recursively, paints through an off-screen buffer. Labels and timers are skipped.
void PrepareControls(TComponent& control);

// The names a form's translation looks up: the rows of its table whose kind takes a text, a
// hint or both from the language file.
std::vector<std::string> TranslatedNames(const LayoutTable& table);

}  // namespace velmora
