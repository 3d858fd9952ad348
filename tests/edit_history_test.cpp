// One step of undo per edit box, undoing twice redoes, typing in a row is one change.
#include <gtest/gtest.h>

#include "runtime/ui/editing/edit_history.h"

namespace {

using rt::EditHistory;
using rt::EditState;

// Types `text` character by character at the end of `state`.
EditState Type(EditHistory& history, EditState state, const std::string& text) {
  for (char c : text) {
    EditState after{state.text + c, state.caret + 1};
    history.Record(state, after, true);
    state = after;
  }
  return state;
}

TEST(EditHistoryTest, TypingInARowIsUndoneAtOnceAndRedoneByASecondUndo) {
  EditHistory history;
  EXPECT_FALSE(history.CanUndo());
  EditState typed = Type(history, {"", 0}, "6.35");
  ASSERT_TRUE(history.CanUndo());
  EXPECT_EQ(history.Undo(typed), (EditState{"", 0}));
  EXPECT_EQ(history.Undo({"", 0}), typed);
  EXPECT_EQ(history.Undo(typed), (EditState{"", 0}));
}

TEST(EditHistoryTest, AnotherKindOfChangeOrAMovedCaretStartsANewStep) {
  EditHistory history;
  EditState typed = Type(history, {"", 0}, "12");
  EditState erased{"1", 1};
  history.Record(typed, erased, false);
  EXPECT_EQ(history.Undo(erased), typed);

  EditHistory moved;
  Type(moved, {"", 0}, "12");
  EditState home{"12", 0};
  moved.Record(home, {"312", 1}, true);
  EXPECT_EQ(moved.Undo({"312", 1}), home);
}

TEST(EditHistoryTest, TheProgramWritingTheBoxForgetsTheStep) {
  EditHistory history;
  EditState typed = Type(history, {"", 0}, "1.50");
  history.Forget();
  EXPECT_FALSE(history.CanUndo());
  EXPECT_EQ(history.Undo(typed), std::nullopt);
  // Typing after the program's text starts afresh from it.
  Type(history, {"1.5", 3}, "0");
  EXPECT_EQ(history.Undo({"1.50", 4}), (EditState{"1.5", 3}));
}

}  // namespace
