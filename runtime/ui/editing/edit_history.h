// The undo of an edit box, as the platform's edit control keeps it: one step per box.
// Undoing brings back the text as it stood before the user's last change, and undoing
// again redoes that change. Characters typed one after another at the caret make one
// change; the program writing the box forgets the step. No toolkit here.
#pragma once

#include <optional>
#include <string>

namespace rt {

struct EditState {
  std::string text;  // UTF-8
  int caret = 0;     // byte offset
  bool operator==(const EditState&) const = default;
};

class EditHistory {
 public:
  // The user changed the box from `before` to `after`; `typed` when the change was one
  // character typed at the caret.
  void Record(const EditState& before, const EditState& after, bool typed);
  void Forget();
  bool CanUndo() const { return step_.has_value(); }
  // What the box shows after an undo, nullopt when there is nothing to undo; `current`
  // becomes what the next undo brings back.
  std::optional<EditState> Undo(const EditState& current);

 private:
  std::optional<EditState> step_;
  // The state after the last typed character, while further typing may continue its run.
  std::optional<EditState> typing_end_;
};

}  // namespace rt
