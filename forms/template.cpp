#include "forms/template.h"

#include <algorithm>

#include "forms/field_io.h"

namespace forms {
namespace {

// Each window in the window table: its id and a slot the runtime fills at load.
constexpr size_t kWindowTableEntrySize = 2 * sizeof(uint32_t);
// Each record in the record area: its id and its offset, in the two arrays before the records.
constexpr size_t kIdAndOffsetSize = 2 * sizeof(uint32_t);

template <class Io, Is<WindowEntry> W>
void VisitWindowHead(Io& io, W& w) {
  io.U32("value1", w.value1);
  io.U32("value2", w.value2);
  io.Text("text1", w.text1);
  io.Text("text2", w.text2);
}

// The head that window, control and menu item records share.
template <class Io, Is<ControlRecord> R>
void VisitRecordHead(Io& io, R& r) {
  io.U32("type_code", r.type_code);
  io.U32("event_owner", r.event_owner);
  io.Reserved(16);
  io.CString("name", r.name);
}

template <class Io, Is<ControlRecord> R>
void VisitControlBody(Io& io, R& r) {
  VisitRecordHead(io, r);
  io.CString("remark", r.remark);
  io.Reserved(4);
  io.I32("left", r.left);
  io.I32("top", r.top);
  io.I32("width", r.width);
  io.I32("height", r.height);
  io.Reserved(4);
  io.U32("container", r.container);
  io.U32List("children", r.children);
  io.Bytes("mouse_pointer", r.mouse_pointer);
  io.CString("tag", r.tag);
  io.Reserved(4);
  io.U32("flags", r.flags);
  io.U32("tab_order", r.tab_order);
  io.Bindings("bindings", r.bindings);
  io.Reserved(20);
  io.Rest("unit_data", r.unit_data);
}

template <class Io, Is<ControlRecord> R, Is<MenuItem> M>
void VisitMenuItemBody(Io& io, R& r, M& item) {
  VisitRecordHead(io, r);
  io.CString("text2", item.text2);
  for (auto& value : item.values) io.U32("value", value);
  io.CString("caption", item.caption);
  io.U32("handler", item.handler);
}

template <class T>
bool HasDuplicates(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  return std::adjacent_find(values.begin(), values.end()) != values.end();
}

bool HasDuplicateEvents(const std::vector<Binding>& bindings) {
  std::vector<int32_t> events;
  events.reserve(bindings.size());
  for (const Binding& binding : bindings) events.push_back(binding.event);
  return HasDuplicates(std::move(events));
}

bool ParseRecord(uint32_t control_id, std::span<const uint8_t> body, ControlRecord& record) {
  record.control_id = control_id;
  ByteReader in(body);
  FieldReader io(in);
  if (IsMenuItemId(control_id)) {
    VisitMenuItemBody(io, record, record.menu_item.emplace());
  } else {
    VisitControlBody(io, record);
  }
  return in.AtEnd() && !HasDuplicateEvents(record.bindings);
}

// The body of the size-prefixed record at `offset`, when all of it lies within `records`.
std::optional<std::span<const uint8_t>> RecordAt(std::span<const uint8_t> records,
                                                 uint32_t offset) {
  if (offset > records.size()) return std::nullopt;
  ByteReader in(records.subspan(offset));
  auto body = in.SizedBlock();
  if (!in.ok()) return std::nullopt;
  return body;
}

// The bodies of the records at `offsets`, in any order and with gaps between them allowed,
// but no byte shared: overlapping records are a damaged block, and forbidding them keeps
// the number of records bounded by the bytes that hold them.
std::optional<std::vector<std::span<const uint8_t>>> RecordBodies(
    std::span<const uint8_t> records, const std::vector<uint32_t>& offsets) {
  std::vector<std::span<const uint8_t>> bodies;
  std::vector<std::pair<size_t, size_t>> extents;  // first byte, one past the last
  for (uint32_t offset : offsets) {
    auto body = RecordAt(records, offset);
    if (!body) return std::nullopt;
    bodies.push_back(*body);
    extents.emplace_back(offset, size_t{offset} + sizeof(uint32_t) + body->size());
  }
  std::sort(extents.begin(), extents.end());
  for (size_t i = 1; i < extents.size(); ++i)
    if (extents[i].first < extents[i - 1].second) return std::nullopt;
  return bodies;
}

bool IsWindowRecord(const ControlRecord& record) {
  return !IsMenuItemId(record.control_id) && record.type_code == kWindowType;
}

std::optional<std::vector<ControlRecord>> ParseRecordArea(std::span<const uint8_t> area,
                                                          uint32_t count) {
  ByteReader in(area);
  count = in.Checked(count, kIdAndOffsetSize);
  if (count == 0) return std::nullopt;
  std::vector<uint32_t> ids(count), offsets(count);
  for (uint32_t& id : ids) id = in.U32();
  for (uint32_t& offset : offsets) offset = in.U32();
  const auto bodies = RecordBodies(area.subspan(count * kIdAndOffsetSize), offsets);
  if (!bodies || HasDuplicates(ids)) return std::nullopt;

  std::vector<ControlRecord> records;
  records.reserve(count);
  for (uint32_t i = 0; i < count; ++i)
    if (!ParseRecord(ids[i], (*bodies)[i], records.emplace_back())) return std::nullopt;
  if (!IsWindowRecord(records[0])) return std::nullopt;
  return records;
}

std::optional<WindowEntry> ParseWindow(ByteReader& in, uint32_t window_id) {
  WindowEntry window;
  window.window_id = window_id;
  FieldReader io(in);
  VisitWindowHead(io, window);
  const uint32_t count = in.U32();
  const auto area = in.SizedBlock();
  if (!in.ok()) return std::nullopt;
  auto records = ParseRecordArea(area, count);
  if (!records) return std::nullopt;
  window.records = std::move(*records);
  return window;
}

std::vector<uint8_t> RecordBody(const ControlRecord& record) {
  ByteWriter out;
  FieldWriter io(out);
  if (IsMenuItemId(record.control_id)) {
    const MenuItem item = record.menu_item.value_or(MenuItem{});
    VisitMenuItemBody(io, record, item);
  } else {
    VisitControlBody(io, record);
  }
  return out.Release();
}

std::vector<uint8_t> RecordArea(const std::vector<ControlRecord>& records) {
  ByteWriter bodies;
  std::vector<uint32_t> offsets;
  offsets.reserve(records.size());
  for (const ControlRecord& record : records) {
    offsets.push_back(ByteWriter::CheckedSize(bodies.size()));
    bodies.SizedBlock(RecordBody(record));
  }
  ByteWriter area;
  for (const ControlRecord& record : records) area.U32(record.control_id);
  for (uint32_t offset : offsets) area.U32(offset);
  area.Append(bodies.bytes());
  return area.Release();
}

void WriteWindow(ByteWriter& out, const WindowEntry& window) {
  FieldWriter io(out);
  VisitWindowHead(io, window);
  out.U32(ByteWriter::CheckedSize(window.records.size()));
  out.SizedBlock(RecordArea(window.records));
}

}  // namespace

std::optional<Template> ParseTemplate(std::span<const uint8_t> block) {
  Template tmpl;
  if (block.empty()) return tmpl;
  ByteReader in(block);
  const uint32_t table_size = in.U32();
  if (table_size % kWindowTableEntrySize != 0) return std::nullopt;
  const uint32_t count = in.Checked(table_size / kWindowTableEntrySize, kWindowTableEntrySize);
  std::vector<uint32_t> ids(count);
  for (uint32_t& id : ids) id = in.U32();
  in.Take(count * sizeof(uint32_t));
  if (!in.ok() || HasDuplicates(ids)) return std::nullopt;

  for (uint32_t id : ids) {
    auto window = ParseWindow(in, id);
    if (!window) return std::nullopt;
    tmpl.windows.push_back(std::move(*window));
  }
  if (!in.AtEnd()) return std::nullopt;
  return tmpl;
}

std::vector<uint8_t> SerializeTemplate(const Template& tmpl) {
  ByteWriter out;
  out.U32(ByteWriter::CheckedSize(kWindowTableEntrySize * tmpl.windows.size()));
  for (const WindowEntry& window : tmpl.windows) out.U32(window.window_id);
  out.Zeros(sizeof(uint32_t) * tmpl.windows.size());
  for (const WindowEntry& window : tmpl.windows) WriteWindow(out, window);
  return out.Release();
}

}  // namespace forms
