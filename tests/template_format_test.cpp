// The template loader against blocks written by hand from the layout of the format, so that
// reader and writer are checked against the layout rather than against each other.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "forms/byte_writer.h"
#include "forms/template.h"
#include "tests/allocation_probe.h"

namespace {

using forms::ByteWriter;

struct BuildOptions {
  size_t menu_item_extra_bytes = 0;
  bool bodies_in_reverse = false;
};

// A one-window template of three records (the window, a label, a menu item), with the place
// of every count, size, offset and a few other fields noted by name for forging.
class HandBuilt {
 public:
  explicit HandBuilt(BuildOptions options = {}) : options_(options) { Build(); }
  std::vector<uint8_t> bytes;
  std::map<std::string, size_t> at;

  std::vector<uint8_t> With(const std::string& field, uint32_t value) const {
    std::vector<uint8_t> copy = bytes;
    for (int i = 0; i < 4; ++i) copy.at(at.at(field) + i) = static_cast<uint8_t>(value >> (8 * i));
    return copy;
  }

 private:
  struct Body {
    ByteWriter out;
    std::map<std::string, size_t> at;
    void Note(const std::string& field) { at[field] = out.size(); }
  };

  static void Head(Body& b, uint32_t type, const std::string& name) {
    b.Note("type");
    b.out.U32(type);
    b.out.U32(0);  // event owner
    b.out.Zeros(16);
    b.out.CString(name);
  }

  // Window and control records share this layout; the parts that differ are arguments.
  static Body ControlBody(uint32_t type, const std::string& name, std::vector<int32_t> geometry,
                          std::vector<uint32_t> children, const std::string& tag, uint32_t flags,
                          std::vector<std::pair<int32_t, uint32_t>> bindings,
                          std::vector<uint8_t> unit_data) {
    Body b;
    Head(b, type, name);
    b.out.CString("");  // remark
    b.out.I32(0);
    for (int32_t value : geometry) b.out.I32(value);
    b.out.I32(0);
    b.out.U32(0);  // container
    b.Note("child count");
    b.out.U32(static_cast<uint32_t>(children.size()));
    for (uint32_t child : children) b.out.U32(child);
    b.Note("mouse pointer size");
    b.out.U32(4);
    b.out.U32(0);
    b.out.CString(tag);
    b.out.U32(0);
    b.out.U32(flags);
    b.out.U32(3);  // tab order
    b.Note("binding count");
    b.out.U32(static_cast<uint32_t>(bindings.size()));
    for (auto [event, handler] : bindings) {
      b.Note("event " + std::to_string(event));
      b.out.I32(event);
      b.out.U32(handler);
    }
    b.out.Zeros(20);
    b.out.Append(unit_data);
    return b;
  }

  Body MenuItemBody() const {
    Body b;
    Head(b, forms::kMenuItemType, "m");
    b.out.CString("x");
    for (uint32_t value : {1u, 2u, 4u}) b.out.U32(value);
    b.out.CString("c");
    b.out.U32(9);
    b.out.Zeros(options_.menu_item_extra_bytes);
    return b;
  }

  void Build() {
    std::vector<Body> bodies;
    bodies.push_back(ControlBody(forms::kWindowType, "", {50, 50, 650, 488}, {0x16010002}, "tag", 1,
                                 {{0, 7}}, {6, 0, 0, 0, 0xAA}));
    bodies.push_back(ControlBody(forms::kLabelType, "标签1", {16, 32, 88, 24}, {}, "", 5,
                                 {{-6, 1}, {-7, forms::kNoHandler}}, {2, 0, 0, 0}));
    bodies.push_back(MenuItemBody());
    const uint32_t ids[] = {0x06010000, 0x16010002, 0x26010003};

    std::vector<size_t> order = {0, 1, 2};
    if (options_.bodies_in_reverse) order = {2, 1, 0};
    ByteWriter records;
    std::vector<uint32_t> offsets(3);
    for (size_t i : order) {
      offsets[i] = static_cast<uint32_t>(records.size());
      records.SizedBlock(bodies[i].out.bytes());
    }

    ByteWriter out;
    Note(out, "window table size");
    out.U32(8);
    out.U32(0x52010001);
    Note(out, "window slot");
    out.U32(0xDEADBEEF);  // overwritten at load: any value
    out.U32(0x00B99550);
    out.U32(0x19010020);
    Note(out, "text1 size");
    out.Text("t1");
    out.Text("");
    Note(out, "record count");
    out.U32(3);
    Note(out, "record area size");
    out.U32(static_cast<uint32_t>(24 + records.size()));
    const size_t area = out.size();
    for (size_t i = 0; i < 3; ++i) {
      at["record " + std::to_string(i) + " id"] = out.size();
      out.U32(ids[i]);
    }
    for (size_t i = 0; i < 3; ++i) {
      at["record " + std::to_string(i) + " offset"] = out.size();
      out.U32(offsets[i]);
    }
    out.Append(records.bytes());
    for (size_t i = 0; i < 3; ++i) {
      const size_t start = area + 24 + offsets[i];
      at["record " + std::to_string(i) + " size"] = start;
      for (const auto& [field, local] : bodies[i].at)
        at["record " + std::to_string(i) + " " + field] = start + 4 + local;
    }
    bytes = out.Release();
  }

  void Note(const ByteWriter& out, const std::string& field) { at[field] = out.size(); }

  BuildOptions options_;
};

TEST(TemplateFormatTest, ReadsEveryFieldWhereTheLayoutPutsIt) {
  const HandBuilt block;
  const auto tmpl = forms::ParseTemplate(block.bytes);
  ASSERT_TRUE(tmpl);
  ASSERT_EQ(tmpl->windows.size(), 1u);
  const forms::WindowEntry& window = tmpl->windows[0];
  EXPECT_EQ(window.window_id, 0x52010001u);
  EXPECT_EQ(window.value1, 0x00B99550u);
  EXPECT_EQ(window.value2, 0x19010020u);
  EXPECT_EQ(window.text1, "t1");
  ASSERT_EQ(window.records.size(), 3u);

  const forms::ControlRecord& own = window.records[0];
  EXPECT_EQ(own.type_code, forms::kWindowType);
  EXPECT_EQ(own.height, 488);
  EXPECT_EQ(own.children, std::vector<uint32_t>{0x16010002});
  EXPECT_EQ(own.tag, "tag");
  EXPECT_EQ(own.unit_data, (std::vector<uint8_t>{6, 0, 0, 0, 0xAA}));

  const forms::ControlRecord& label = window.records[1];
  EXPECT_EQ(label.control_id, 0x16010002u);
  EXPECT_EQ(label.name, "标签1");
  EXPECT_EQ(label.left, 16);
  EXPECT_EQ(label.mouse_pointer, (std::vector<uint8_t>{0, 0, 0, 0}));
  EXPECT_EQ(label.flags, 5u);
  EXPECT_EQ(label.tab_order, 3u);
  ASSERT_EQ(label.bindings.size(), 2u);
  EXPECT_EQ(label.bindings[0].event, -6);
  EXPECT_EQ(label.bindings[0].handler, 1u);
  EXPECT_EQ(label.bindings[1].handler, forms::kNoHandler);
  EXPECT_FALSE(label.menu_item);

  const forms::ControlRecord& menu = window.records[2];
  ASSERT_TRUE(menu.menu_item);
  EXPECT_EQ(menu.name, "m");
  EXPECT_EQ(menu.menu_item->text2, "x");
  EXPECT_EQ(menu.menu_item->values[2], 4u);
  EXPECT_EQ(menu.menu_item->caption, "c");
  EXPECT_EQ(menu.menu_item->handler, 9u);

  // The writer lays everything out the same way; it leaves the load-time slot zero.
  EXPECT_EQ(forms::SerializeTemplate(*tmpl), block.With("window slot", 0));
}

TEST(TemplateFormatTest, FindsRecordsByTheirOffsetsInAnyOrder) {
  const auto in_order = forms::ParseTemplate(HandBuilt().bytes);
  const auto reversed = forms::ParseTemplate(HandBuilt({.bodies_in_reverse = true}).bytes);
  ASSERT_TRUE(in_order && reversed);
  EXPECT_EQ(forms::SerializeTemplate(*in_order), forms::SerializeTemplate(*reversed));
}

TEST(TemplateFormatTest, EmptyBlockHasNoWindowsButEveryOtherTruncationFails) {
  const HandBuilt block;
  const auto empty = forms::ParseTemplate({});
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->windows.empty());
  for (size_t size = 1; size < block.bytes.size(); ++size)
    EXPECT_FALSE(forms::ParseTemplate(std::span(block.bytes).first(size))) << size;
}

TEST(TemplateFormatTest, ForgedCountsAndSizesFailWithoutAllocatingForThem) {
  const HandBuilt block;
  for (const char* field : {"window table size", "text1 size", "record count", "record area size",
                            "record 1 offset", "record 1 size", "record 0 child count",
                            "record 1 mouse pointer size", "record 1 binding count"}) {
    const auto forged = block.With(field, 0x7FFFFFF8);
    std::optional<forms::Template> result;
    const size_t largest =
        testing_support::LargestAllocationDuring([&] { result = forms::ParseTemplate(forged); });
    EXPECT_FALSE(result) << field;
    EXPECT_LT(largest, 64u * 1024) << field;
  }
}

TEST(TemplateFormatTest, RejectsMalformedStructure) {
  const HandBuilt block;
  auto trailing = block.bytes;
  trailing.push_back(0);
  EXPECT_FALSE(forms::ParseTemplate(trailing)) << "bytes after the last window";
  EXPECT_FALSE(forms::ParseTemplate(block.With("window table size", 12)));
  EXPECT_FALSE(forms::ParseTemplate(block.With("record count", 0))) << "window without records";
  EXPECT_FALSE(forms::ParseTemplate(block.With("record 1 id", 0x06010000))) << "id used twice";
  EXPECT_FALSE(forms::ParseTemplate(block.With("record 1 offset", 0))) << "records overlap";
  EXPECT_FALSE(forms::ParseTemplate(block.With("record 0 type", forms::kLabelType)))
      << "record 0 is not the window's own";
  EXPECT_FALSE(forms::ParseTemplate(block.With("record 1 event -7", static_cast<uint32_t>(-6))))
      << "two bindings for one event";
  EXPECT_FALSE(forms::ParseTemplate(HandBuilt({.menu_item_extra_bytes = 1}).bytes))
      << "bytes after a menu item's handler";
}

TEST(TemplateFormatTest, WriterRefusesWhatTheReaderWouldMisread) {
  forms::Template tmpl;
  tmpl.windows.emplace_back().records.emplace_back();
  tmpl.windows[0].records[0].type_code = forms::kWindowType;
  tmpl.windows[0].records[0].name = std::string("a\0b", 3);
  EXPECT_THROW(forms::SerializeTemplate(tmpl), std::invalid_argument);
}

}  // namespace
