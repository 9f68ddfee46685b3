#include "common/ComponentKinds.h"

#include <gtest/gtest.h>

#include <tuple>

#include "common/LanguageTable.h"

namespace velmora {
namespace {

TEST(ComponentKindTable, CaptionKindsTakeCaptionAndHint) {
  for (ComponentKind kind : {ComponentKind::Form, ComponentKind::Panel, ComponentKind::Label,
                             ComponentKind::CheckBox, ComponentKind::Button, ComponentKind::TabSheet}) {
    const TranslatableTexts texts = TranslatableTextsOf(kind);
    EXPECT_TRUE(texts.caption);
    EXPECT_FALSE(texts.text);
    EXPECT_TRUE(texts.hint);
  }
}

TEST(ComponentKindTable, TextKindsTakeTextAndHint) {
  for (ComponentKind kind : {ComponentKind::Edit, ComponentKind::ComboBox}) {
    const TranslatableTexts texts = TranslatableTextsOf(kind);
    EXPECT_FALSE(texts.caption);
    EXPECT_TRUE(texts.text);
    EXPECT_TRUE(texts.hint);
  }
}

TEST(ComponentKindTable, HintOnlyKindsAndTimers) {
  for (ComponentKind kind : {ComponentKind::Memo, ComponentKind::PageControl, ComponentKind::ColorBox,
                             ComponentKind::TrackBar, ComponentKind::UpDown}) {
    const TranslatableTexts texts = TranslatableTextsOf(kind);
    EXPECT_FALSE(texts.caption);
    EXPECT_FALSE(texts.text);
    EXPECT_TRUE(texts.hint);
  }
  const TranslatableTexts timer = TranslatableTextsOf(ComponentKind::Timer);
  EXPECT_FALSE(timer.caption || timer.text || timer.hint);
}

TEST(ComponentTranslation, ShortTextIsCaptionLongTextIsHintWithLineBreaks) {
  const Translation button = TranslationOf(ComponentKind::Button, "O^K|Press^here|or not");
  EXPECT_EQ(button.caption, "O\r\nK");
  EXPECT_FALSE(button.text.has_value());
  EXPECT_EQ(button.hint, "Press\r\nhere|or not");
}

TEST(ComponentTranslation, ValueWithoutBarServesAsBoth) {
  const Translation label = TranslationOf(ComponentKind::Label, "Pass^word");
  EXPECT_EQ(label.caption, "Pass\r\nword");
  EXPECT_EQ(label.hint, "Pass\r\nword");
}

TEST(ComponentTranslation, EditTakesTextNeverCaption) {
  const Translation edit = TranslationOf(ComponentKind::Edit, "typed|hint");
  EXPECT_FALSE(edit.caption.has_value());
  EXPECT_EQ(edit.text, "typed");
  EXPECT_EQ(edit.hint, "hint");
}

TEST(ComponentTranslation, MemoTakesOnlyTheHintTimerNothing) {
  const Translation memo = TranslationOf(ComponentKind::Memo, "short|long");
  EXPECT_FALSE(memo.caption.has_value());
  EXPECT_FALSE(memo.text.has_value());
  EXPECT_EQ(memo.hint, "long");
  const Translation timer = TranslationOf(ComponentKind::Timer, "short|long");
  EXPECT_FALSE(timer.caption || timer.text || timer.hint);
}

TEST(ComponentTranslation, EmptyShortTextOrEmptyHintAreStillSet) {
  const Translation panel = TranslationOf(ComponentKind::Panel, "|Only a hint");
  EXPECT_EQ(panel.caption, "");
  EXPECT_EQ(panel.hint, "Only a hint");
  const Translation button = TranslationOf(ComponentKind::Button, "Caption|");
  EXPECT_EQ(button.caption, "Caption");
  EXPECT_EQ(button.hint, "");
}

TEST(ComponentTranslation, CaptionTextAndHintEachTakeAtMost4096BytesOfTheFile) {
  const std::string a(4096, 'a'), b(4096, 'b'), c = a.substr(1);
  // {kind, value, caption or text, hint}; a "^" is one byte of the file, cut before it is a CR LF.
  const std::tuple<ComponentKind, std::string, std::string, std::string> cases[] = {
      {ComponentKind::Button, a, a, a},
      {ComponentKind::Button, a + "a", a, a},
      {ComponentKind::Button, a + "a|" + b + "b", a, b},
      {ComponentKind::Edit, a + "a|" + b, a, b},
      {ComponentKind::Label, c + "^^", c + "\r\n", c + "\r\n"},
  };
  for (const auto& [kind, value, shortText, hint] : cases) {
    const Translation translation = TranslationOf(kind, value);
    EXPECT_EQ(translation.caption ? translation.caption : translation.text, shortText);
    EXPECT_EQ(translation.hint, hint);
  }
}

TEST(ComponentLookUp, CaseInsensitiveFirstMatchAndNameEndsAtFirstEquals) {
  TLanguageTable table;
  table.Assign("btnok\r\nBTNOK=First|hint\r\nbtnOK=Second\r\nlblA=x=y\r\n");
  const auto button = LookUpTranslation(table, "btnOK", ComponentKind::Button);
  ASSERT_TRUE(button.has_value());
  EXPECT_EQ(button->caption, "First");
  EXPECT_EQ(button->hint, "hint");
  const auto label = LookUpTranslation(table, "lblA", ComponentKind::Label);
  ASSERT_TRUE(label.has_value());
  EXPECT_EQ(label->caption, "x=y");
}

TEST(ComponentLookUp, MissingNameOrLineWithoutEqualsGivesNothing) {
  TLanguageTable table;
  table.Assign("lblPassword\r\nother=1\r\n");
  EXPECT_FALSE(LookUpTranslation(table, "lblPassword", ComponentKind::Label).has_value());
  EXPECT_FALSE(LookUpTranslation(table, "missing", ComponentKind::Label).has_value());
}

TEST(ComponentLookUp, EmptyValueIsAnEntryThatEmptiesTheCaption) {
  TLanguageTable table;
  table.Assign("pnlBackground=\r\n");
  const auto panel = LookUpTranslation(table, "pnlBackground", ComponentKind::Panel);
  ASSERT_TRUE(panel.has_value());
  EXPECT_EQ(panel->caption, "");
  EXPECT_EQ(panel->hint, "");
}

}  // namespace
}  // namespace velmora
