// A control type's own properties as a table: the property's form and how to read and
// write it. The table's position is the type-specific index (PropertyIndex - 8).
#pragma once

#include <span>
#include <type_traits>
#include <utility>

#include "runtime/ui/controls/toolkit_control.h"

namespace rt {

template <class Control>
struct TypeProperty {
  PropertyForm form;
  PropertyData (*read)(const Control&);
  void (*write)(Control&, const PropertyData&);
};

// What every control type with unit data shares: the unit data it was made from, kept
// and changed by its properties, and the property part of LiveControl, implemented from
// `Control::Properties()`.
template <class Control, class Unit>
class TableControl : public ToolkitControl {
 public:
  TableControl(LoadedWindow& window, ControlState& state, Unit unit)
      : ToolkitControl(window, state), unit_(std::move(unit)) {}

  const Unit& unit() const { return unit_; }
  Unit& mutable_unit() { return unit_; }

  std::optional<PropertyForm> FormOf(int index) const override {
    const TypeProperty<Control>* entry = Entry(index);
    if (!entry) return std::nullopt;
    return entry->form;
  }
  PropertyData ReadProperty(int index) const override {
    return Entry(index)->read(static_cast<const Control&>(*this));
  }
  void WriteProperty(int index, const PropertyData& value) override {
    Entry(index)->write(static_cast<Control&>(*this), value);
  }

 protected:
  // A widget of the control's own kind, made for this control at the record's place.
  template <class Widget>
  Widget* NewWidget() {
    const forms::ControlRecord& r = record();
    return new Widget(static_cast<Control&>(*this), r.left, r.top, r.width, r.height);
  }

  Unit unit_;

 private:
  static const TypeProperty<Control>* Entry(int index) {
    std::span<const TypeProperty<Control>> table = Control::Properties();
    if (index < 0 || static_cast<size_t>(index) >= table.size()) return nullptr;
    return &table[static_cast<size_t>(index)];
  }
};

inline PropertyData NumberData(int64_t number) {
  PropertyData data;
  data.number = number;
  return data;
}

inline PropertyData TextData(std::string text) {
  PropertyData data;
  data.text = std::move(text);
  return data;
}

}  // namespace rt

namespace rt {

// A property held in one numeric field of the control's unit data. The control offers
// unit(), mutable_unit() and Refresh(), which applies a changed unit to the widget.
template <class Control, auto Field>
TypeProperty<Control> FieldProperty(PropertyForm form) {
  return {form, [](const Control& c) { return NumberData(static_cast<int64_t>(c.unit().*Field)); },
          [](Control& c, const PropertyData& v) {
            using FieldType = std::remove_reference_t<decltype(c.mutable_unit().*Field)>;
            c.mutable_unit().*Field = static_cast<FieldType>(v.number);
            c.Refresh();
          }};
}

// A property held in one text field of the control's unit data.
template <class Control, auto Field>
TypeProperty<Control> TextFieldProperty() {
  return {PropertyForm::kText, [](const Control& c) { return TextData(c.unit().*Field); },
          [](Control& c, const PropertyData& v) {
            c.mutable_unit().*Field = v.text;
            c.Refresh();
          }};
}

}  // namespace rt
