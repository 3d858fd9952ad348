#include "runtime/ui/editing/edit_history.h"

namespace rt {

void EditHistory::Record(const EditState& before, const EditState& after, bool typed) {
  bool continues_typing = typed && typing_end_ == before;
  if (!continues_typing) step_ = before;
  typing_end_ = typed ? std::optional<EditState>(after) : std::nullopt;
}

void EditHistory::Forget() {
  step_.reset();
  typing_end_.reset();
}

std::optional<EditState> EditHistory::Undo(const EditState& current) {
  std::optional<EditState> back = step_;
  if (!back) return std::nullopt;
  step_ = current;
  typing_end_.reset();
  return back;
}

}  // namespace rt
