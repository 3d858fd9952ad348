#include "skin/engine/skin_format.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace skin {
namespace {

constexpr uint8_t kMagic[4] = {'.', 'S', 'K', 'N'};
constexpr uint16_t kVersion = 1;
constexpr size_t kRecordHeaderSize = 4;
constexpr size_t kLengthOffset = 8;
constexpr size_t kChecksumOffset = 12;

using Bytes = std::span<const uint8_t>;

uint16_t Load16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t Load32(const uint8_t* p) { return Load16(p) | static_cast<uint32_t>(Load16(p + 2)) << 16; }

void Store16(uint8_t* p, uint16_t value) {
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
}

void Store32(uint8_t* p, uint32_t value) {
  Store16(p, static_cast<uint16_t>(value));
  Store16(p + 2, static_cast<uint16_t>(value >> 16));
}

// FNV-1a: enough to notice damaged or hand-edited skins; skins are not secrets.
uint32_t Checksum(Bytes bytes) {
  uint32_t hash = 2166136261u;
  for (uint8_t byte : bytes) hash = (hash ^ byte) * 16777619u;
  return hash;
}

// Byte loads rather than memcmp: the compiler expands a short memcmp inline, out of
// AddressSanitizer's sight, and the reader's every access should be checked.
bool HasMagic(const uint8_t* p) { return Load32(p) == Load32(kMagic); }

bool HeaderIsSound(Bytes bytes) {
  if (bytes.size() < kHeaderSize || bytes.size() > kMaxSkinSize) return false;
  const uint8_t* p = bytes.data();
  return HasMagic(p) && Load16(p + 4) == kVersion && Load16(p + 6) == 0 &&
         Load32(p + kLengthOffset) == bytes.size() &&
         Load32(p + kChecksumOffset) == Checksum(bytes.subspan(kHeaderSize));
}

bool ReadName(Bytes payload, Skin& skin) {
  if (payload.empty() || payload.size() > kMaxNameLength) return false;
  if (std::find(payload.begin(), payload.end(), 0) != payload.end()) return false;
  skin.name.assign(payload.begin(), payload.end());
  return true;
}

bool ReadScheme(Bytes payload, Skin& skin) {
  const std::string_view text(reinterpret_cast<const char*>(payload.data()), payload.size());
  for (size_t i = 0; i < kSchemeNames.size(); ++i) {
    if (text == kSchemeNames[i]) {
      skin.scheme = static_cast<Scheme>(i);
      return true;
    }
  }
  return false;
}

// A table is a count byte and that many entries of `entry_size` bytes, each led by a key
// below `key_count`. Every key must appear exactly once, so the count must be key_count.
template <typename ReadEntry>
bool ReadTable(Bytes payload, size_t entry_size, size_t key_count, ReadEntry read_entry) {
  if (payload.empty() || payload[0] != key_count || payload.size() != 1 + key_count * entry_size)
    return false;
  std::array<bool, 256> seen{};
  for (size_t i = 0; i < key_count; ++i) {
    const Bytes entry = payload.subspan(1 + i * entry_size, entry_size);
    if (entry[0] >= key_count || seen[entry[0]]) return false;
    seen[entry[0]] = true;
    if (!read_entry(entry)) return false;
  }
  return true;
}

bool ReadPalette(Bytes payload, Skin& skin) {
  return ReadTable(payload, 4, kRoleCount, [&](Bytes entry) {
    skin.palette[entry[0]] = {entry[1], entry[2], entry[3]};
    return true;
  });
}

bool ReadBoxes(Bytes payload, Skin& skin) {
  return ReadTable(payload, 3, kPartCount, [&](Bytes entry) {
    if (entry[1] >= static_cast<size_t>(Style::kCount) || entry[2] > kMaxRadius) return false;
    skin.boxes[entry[0]] = {static_cast<Style>(entry[1]), entry[2]};
    return true;
  });
}

bool ReadAero(Bytes payload, Skin& skin) {
  if (payload.size() != 1) return false;
  skin.gloss = payload[0];
  return true;
}

constexpr size_t kTagEnd = static_cast<size_t>(RecordTag::kEnd);
using RecordReader = bool (*)(Bytes, Skin&);
constexpr RecordReader kReaders[kTagEnd] = {nullptr,     ReadName,  ReadScheme,
                                            ReadPalette, ReadBoxes, ReadAero};

void AppendRecord(std::vector<uint8_t>& image, RecordTag tag, Bytes payload) {
  const size_t at = image.size();
  image.resize(at + kRecordHeaderSize);
  Store16(&image[at], static_cast<uint16_t>(tag));
  Store16(&image[at + 2], static_cast<uint16_t>(payload.size()));
  image.insert(image.end(), payload.begin(), payload.end());
}

Bytes TextBytes(std::string_view text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

}  // namespace

std::optional<Skin> Decode(std::span<const uint8_t> bytes) {
  if (!HeaderIsSound(bytes)) return std::nullopt;
  Skin skin;
  std::array<bool, kTagEnd> seen{};
  Bytes rest = bytes.subspan(kHeaderSize);
  while (!rest.empty()) {
    if (rest.size() < kRecordHeaderSize) return std::nullopt;
    const uint16_t tag = Load16(rest.data());
    const size_t length = Load16(rest.data() + 2);
    if (length > rest.size() - kRecordHeaderSize) return std::nullopt;
    const Bytes payload = rest.subspan(kRecordHeaderSize, length);
    rest = rest.subspan(kRecordHeaderSize + length);
    // Records this version does not know are skipped: later additions that an older
    // engine can do without need no new version.
    if (tag == 0 || tag >= kTagEnd) continue;
    if (seen[tag] || !kReaders[tag](payload, skin)) return std::nullopt;
    seen[tag] = true;
  }
  if (!std::all_of(seen.begin() + 1, seen.end(), [](bool s) { return s; })) return std::nullopt;
  return skin;
}

std::vector<uint8_t> Encode(const Skin& skin) {
  std::vector<uint8_t> image(kHeaderSize, 0);
  std::memcpy(image.data(), kMagic, sizeof kMagic);
  Store16(&image[4], kVersion);
  AppendRecord(image, RecordTag::kName, TextBytes(skin.name));
  AppendRecord(image, RecordTag::kScheme,
               TextBytes(kSchemeNames[static_cast<size_t>(skin.scheme)]));

  std::vector<uint8_t> palette{static_cast<uint8_t>(kRoleCount)};
  for (size_t role = 0; role < kRoleCount; ++role) {
    const Rgb& c = skin.palette[role];
    palette.insert(palette.end(), {static_cast<uint8_t>(role), c.r, c.g, c.b});
  }
  AppendRecord(image, RecordTag::kPalette, palette);

  std::vector<uint8_t> boxes{static_cast<uint8_t>(kPartCount)};
  for (size_t part = 0; part < kPartCount; ++part) {
    const BoxLook& look = skin.boxes[part];
    boxes.insert(boxes.end(),
                 {static_cast<uint8_t>(part), static_cast<uint8_t>(look.style), look.radius});
  }
  AppendRecord(image, RecordTag::kBoxes, boxes);

  const uint8_t gloss[] = {skin.gloss};
  AppendRecord(image, RecordTag::kAero, gloss);
  Seal(image);
  return image;
}

void Seal(std::vector<uint8_t>& image) {
  if (image.size() < kHeaderSize) return;
  Store32(&image[kLengthOffset], static_cast<uint32_t>(image.size()));
  Store32(&image[kChecksumOffset], Checksum(Bytes(image).subspan(kHeaderSize)));
}

std::optional<size_t> DeclaredLength(std::span<const uint8_t> bytes) {
  if (bytes.size() < kHeaderSize || !HasMagic(bytes.data())) return std::nullopt;
  const size_t length = Load32(bytes.data() + kLengthOffset);
  if (length < kHeaderSize || length > bytes.size()) return std::nullopt;
  return length;
}

}  // namespace skin
