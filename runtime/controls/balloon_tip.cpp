#include "runtime/controls/balloon_tip.h"

#include <map>
#include <utility>
#include <vector>

#include "runtime/controls/control_factory.h"
#include "runtime/error_report.h"
#include "runtime/property_access.h"

namespace rt {
namespace {

struct TipArea {
  int32_t left = 0, top = 0, width = 0, height = 0;
  bool empty = true;  // the whole control
  bool operator==(const TipArea&) const = default;
};

struct Tip {
  TipArea area;
  int32_t icon = -1;
  std::string text;  // GBK, the component's own copy
};

using TargetKey = std::pair<uint32_t, uint32_t>;  // window, control

class BalloonTipControl : public LiveControl {
 public:
  using LiveControl::LiveControl;
  Fl_Widget* widget() override { return nullptr; }

  void Store(TargetKey target, Tip tip) {
    std::vector<Tip>& list = tips_[target];
    for (Tip& existing : list) {
      if (existing.area == tip.area) {
        existing = std::move(tip);
        return;
      }
    }
    list.push_back(std::move(tip));
  }

  const std::vector<Tip>* TipsOf(TargetKey target) const {
    auto it = tips_.find(target);
    return it == tips_.end() ? nullptr : &it->second;
  }

 private:
  std::map<TargetKey, std::vector<Tip>> tips_;
};

BalloonTipControl& OwnControl(const Value& reference) {
  auto* tip = dynamic_cast<BalloonTipControl*>(&LookupLiveStrict(reference));
  if (!tip) RaiseError(11);
  return *tip;
}

// Arguments beyond those passed count as omitted.
Value Argument(int argc, const Value* args, int index) { return index < argc ? args[index] : Value{}; }

TipArea AreaFrom(int argc, const Value* args) {
  TipArea area;
  for (int i = 4; i < 8; ++i) {
    if (Argument(argc, args, i).type == kOmitted) return area;
  }
  area = {IntOf(args[4]), IntOf(args[5]), IntOf(args[6]), IntOf(args[7]), false};
  return area;
}

}  // namespace

void SetTip(Value* result, int argc, const Value* args) {
  BalloonTipControl& component = OwnControl(Argument(argc, args, 0));
  Value target = Argument(argc, args, 1);
  if (!LookupLiveLenient(target.lo, target.hi)) {
    result->lo = 0;
    return;
  }
  Tip tip;
  Value text = Argument(argc, args, 2);
  tip.text = text.type == kText && TextOf(text) ? TextOf(text) : "";
  tip.icon = Argument(argc, args, 3).type == kOmitted ? -1 : IntOf(args[3]);
  tip.area = AreaFrom(argc, args);
  component.Store({target.lo, target.hi}, std::move(tip));
  result->lo = 1;
}

std::optional<std::string> WholeControlTip(LiveControl& balloon_tip, uint32_t window_id,
                                           uint32_t control_id) {
  auto* component = dynamic_cast<BalloonTipControl*>(&balloon_tip);
  const std::vector<Tip>* tips = component ? component->TipsOf({window_id, control_id}) : nullptr;
  if (!tips) return std::nullopt;
  for (const Tip& tip : *tips) {
    if (tip.area.empty) return tip.text;
  }
  return std::nullopt;
}

std::unique_ptr<LiveControl> CreateBalloonTip(LoadedWindow& window, ControlState& state,
                                              forms::BalloonTipUnit) {
  return std::make_unique<BalloonTipControl>(window, state);
}

}  // namespace rt
