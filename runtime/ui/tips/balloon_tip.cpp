#include "runtime/ui/tips/balloon_tip.h"

#include <FL/Fl.H>
#include <FL/Fl_Tooltip.H>
#include <FL/Fl_Window.H>

#include <algorithm>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "runtime/core/error_report.h"
#include "runtime/core/frame.h"
#include "runtime/core/property_access.h"
#include "runtime/ui/controls/control_factory.h"
#include "runtime/ui/loop/event_watch.h"
#include "runtime/ui/tips/balloon_tip_for_tests.h"
#include "runtime/ui/tips/tip_window.h"

namespace rt {
namespace {

// The component's defaults, in seconds; nothing in this program changes them.
constexpr double kInitialDelay = 0.6;
constexpr double kDisplayTime = 3.0;

struct TipArea {
  int32_t left = 0, top = 0, width = 0, height = 0;
  bool empty = true;  // the whole control
  bool operator==(const TipArea&) const = default;

  bool Holds(int x, int y) const {
    return empty ||
           (x >= left && x < int64_t{left} + width && y >= top && y < int64_t{top} + height);
  }
};

struct Tip {
  TipArea area;
  std::string text;  // GBK, the component's own copy
};

using TargetKey = std::pair<uint32_t, uint32_t>;  // window, control

// Where tips overlap, the first registered wins.
const Tip* FirstHolding(const std::vector<Tip>& tips, int x, int y) {
  auto tip =
      std::ranges::find_if(tips, [&](const Tip& candidate) { return candidate.area.Holds(x, y); });
  return tip == tips.end() ? nullptr : &*tip;
}

// Where the pointer is as far as tips go: on one tip of one target.
struct TipSpot {
  TargetKey target;
  TipArea area;
  bool operator==(const TipSpot&) const = default;
};

TipPoint PointerOnScreen() { return {Fl::event_x_root(), Fl::event_y_root()}; }

// The widget's top left corner on the screen.
TipPoint ScreenOrigin(Fl_Widget& widget) {
  if (Fl_Window* window = widget.as_window()) return {window->x_root(), window->y_root()};
  Fl_Window* window = widget.window();
  return {window->x_root() + widget.x(), window->y_root() + widget.y()};
}

// The balloon only ever shows the tip of the spot the pointer is on. It appears once the
// pointer has been on the spot for the initial delay, and goes after the display time,
// when the pointer leaves the spot, or when a button is pressed. Once gone it stays gone
// while the pointer stays on that spot.
class BalloonTipControl : public ToolkitControl, private EventWatcher {
 public:
  BalloonTipControl(LoadedWindow& window, ControlState& state)
      : ToolkitControl(window, state), watching_(CurrentDisplayMode() == DisplayMode::kOnScreen) {
    if (watching_) StartWatchingEvents(*this);
  }

  ~BalloonTipControl() override {
    if (watching_) StopWatchingEvents(*this);
    HideBalloon();
  }

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

  const Tip* TipAt(TargetKey target, int x, int y) const {
    const std::vector<Tip>* tips = TipsOf(target);
    return tips ? FirstHolding(*tips, x, y) : nullptr;
  }

 private:
  // After every event: a tip registered by the event's own handler counts at once, which
  // is how a hint attached on the first move over its box shows without another move.
  void AfterEvent(int fl_event) override {
    Follow(SpotUnderPointer());
    if (fl_event == FL_PUSH || fl_event == FL_MOUSEWHEEL) HideBalloon();
  }

  // The control below the pointer is the one the toolkit sends the pointer to: controls
  // that do not take the pointer (labels) let it through to those beneath them.
  std::optional<TipSpot> SpotUnderPointer() const {
    Fl_Widget* below = Fl::belowmouse();
    if (!below) return std::nullopt;
    for (const auto& [target, tips] : tips_) {
      auto* live = static_cast<ToolkitControl*>(LookupLiveLenient(target.first, target.second));
      if (!live || live->widget() != below) continue;
      TipPoint origin = ScreenOrigin(*below);
      TipPoint pointer = PointerOnScreen();
      const Tip* tip = FirstHolding(tips, pointer.x - origin.x, pointer.y - origin.y);
      if (!tip) return std::nullopt;
      return TipSpot{target, tip->area};
    }
    return std::nullopt;
  }

  // Moving within the spot changes nothing, whether the balloon is waiting, showing or gone.
  void Follow(std::optional<TipSpot> spot) {
    if (spot == spot_) return;
    HideBalloon();
    spot_ = spot;
    if (spot_) {
      // The toolkit's plain tooltip of the control stands down: the two never show together.
      Fl_Tooltip::current(nullptr);
      Fl::add_timeout(kInitialDelay, &BalloonTipControl::InitialDelayOver, this);
    }
  }

  void HideBalloon() {
    Fl::remove_timeout(&BalloonTipControl::InitialDelayOver, this);
    Fl::remove_timeout(&BalloonTipControl::DisplayTimeOver, this);
    if (balloon_) balloon_->hide();
  }

  // The text is looked up now: a registration since the pointer came may have replaced it.
  void ShowBalloon() {
    std::optional<TipSpot> spot = SpotUnderPointer();
    if (spot != spot_) {  // the controls changed beneath a pointer at rest
      Follow(spot);
      return;
    }
    const std::vector<Tip>& tips = *TipsOf(spot->target);
    auto tip = std::ranges::find(tips, spot->area, &Tip::area);
    if (tip->text.empty()) return;
    if (!balloon_) balloon_ = std::make_unique<TipWindow>();
    balloon_->ShowAt(tip->text, PointerOnScreen());
    Fl::add_timeout(kDisplayTime, &BalloonTipControl::DisplayTimeOver, this);
  }

  static void InitialDelayOver(void* self) { static_cast<BalloonTipControl*>(self)->ShowBalloon(); }
  static void DisplayTimeOver(void* self) {
    static_cast<BalloonTipControl*>(self)->balloon_->hide();
  }

  std::map<TargetKey, std::vector<Tip>> tips_;
  const bool watching_;
  std::optional<TipSpot> spot_;
  std::unique_ptr<TipWindow> balloon_;  // made when first needed, never without a display
};

BalloonTipControl& OwnControl(const Value& reference) {
  auto* tip = dynamic_cast<BalloonTipControl*>(&LookupLiveStrict(reference));
  if (!tip) RaiseError(11);
  return *tip;
}

// Arguments beyond those passed count as omitted.
Value Argument(int argc, const Value* args, int index) {
  return index < argc ? args[index] : Value{};
}

TipArea AreaFrom(int argc, const Value* args) {
  TipArea area;
  for (int i = 4; i < 8; ++i) {
    if (Argument(argc, args, i).type == kOmitted) return area;
  }
  area = {IntOf(args[4]), IntOf(args[5]), IntOf(args[6]), IntOf(args[7]), false};
  return area;
}

BalloonTipControl* AsBalloonTip(LiveControl& control) {
  return dynamic_cast<BalloonTipControl*>(&control);
}

}  // namespace

void SetTip(Value* result, int argc, const Value* args) {
  BalloonTipControl& component = OwnControl(Argument(argc, args, 0));
  Value target = Argument(argc, args, 1);
  if (!LookupLiveLenient(target.lo, target.hi)) {
    *result = MakeBool(false);
    return;
  }
  Tip tip;
  Value text = Argument(argc, args, 2);
  tip.text = text.type == kText && TextOf(text) ? TextOf(text) : "";
  tip.area = AreaFrom(argc, args);
  component.Store({target.lo, target.hi}, std::move(tip));
  *result = MakeBool(true);
}

std::optional<std::string> WholeControlTip(LiveControl& balloon_tip, uint32_t window_id,
                                           uint32_t control_id) {
  BalloonTipControl* component = AsBalloonTip(balloon_tip);
  const std::vector<Tip>* tips = component ? component->TipsOf({window_id, control_id}) : nullptr;
  if (!tips) return std::nullopt;
  for (const Tip& tip : *tips) {
    if (tip.area.empty) return tip.text;
  }
  return std::nullopt;
}

std::optional<std::string> TipTextAt(LiveControl& balloon_tip, uint32_t window_id,
                                     uint32_t control_id, int x, int y) {
  BalloonTipControl* component = AsBalloonTip(balloon_tip);
  const Tip* tip = component ? component->TipAt({window_id, control_id}, x, y) : nullptr;
  if (!tip) return std::nullopt;
  return tip->text;
}

template <>
std::unique_ptr<LiveControl> CreateControl(LoadedWindow& window, ControlState& state,
                                           forms::BalloonTipUnit) {
  return std::make_unique<BalloonTipControl>(window, state);
}

}  // namespace rt
