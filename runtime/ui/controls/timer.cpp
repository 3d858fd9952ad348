// Timers: invisible; on screen they tick every period from the window's creation on.
// Without a display nothing ticks by itself: the driver raises the ticks.
#include <FL/Fl.H>

#include "runtime/core/frame.h"
#include "runtime/ui/controls/control_factory.h"
#include "runtime/ui/controls/property_table.h"

namespace rt {
namespace {

class TimerControl : public TableControl<TimerControl, forms::TimerUnit> {
 public:
  TimerControl(LoadedWindow& window, ControlState& state, forms::TimerUnit unit)
      : TableControl(window, state, std::move(unit)) {}
  ~TimerControl() override { Fl::remove_timeout(&TimerControl::Tick, this); }

  Fl_Widget* widget() override { return nullptr; }

  void AfterCreation() override {
    started_ = true;
    Refresh();
  }

  // A new period restarts the count.
  void Refresh() {
    Fl::remove_timeout(&TimerControl::Tick, this);
    if (started_ && unit_.period > 0 && CurrentDisplayMode() == DisplayMode::kOnScreen)
      Fl::add_timeout(Seconds(), &TimerControl::Tick, this);
  }

  static std::span<const TypeProperty<TimerControl>> Properties() {
    static const TypeProperty<TimerControl> kTable[] = {
        FieldProperty<TimerControl, &forms::TimerUnit::period>(PropertyForm::kInteger),
    };
    return kTable;
  }

 private:
  double Seconds() const { return unit_.period / 1000.0; }

  static void Tick(void* self) {
    auto* timer = static_cast<TimerControl*>(self);
    Fl::repeat_timeout(timer->Seconds(), &TimerControl::Tick, self);
    timer->Raise(0);
  }

  bool started_ = false;
};

}  // namespace

template <>
std::unique_ptr<LiveControl> CreateControl(LoadedWindow& window, ControlState& state,
                                           forms::TimerUnit unit) {
  return std::make_unique<TimerControl>(window, state, std::move(unit));
}

}  // namespace rt
