#include "skin/tools/skin_source.h"

#include <charconv>
#include <functional>
#include <map>
#include <set>

namespace skin {
namespace {

using Setter = std::function<bool(std::string_view value, Skin& skin)>;
using Setters = std::map<std::string, Setter, std::less<>>;

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool ParseNumber(std::string_view text, unsigned max, unsigned base, uint8_t& out) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value > max)
    return false;
  out = static_cast<uint8_t>(value);
  return true;
}

bool ParseColour(std::string_view text, Rgb& out) {
  return text.size() == 7 && text[0] == '#' && ParseNumber(text.substr(1, 2), 255, 16, out.r) &&
         ParseNumber(text.substr(3, 2), 255, 16, out.g) &&
         ParseNumber(text.substr(5, 2), 255, 16, out.b);
}

template <typename Enum, size_t N>
bool ParseChoice(std::string_view text, const std::array<const char*, N>& names, Enum& out) {
  for (size_t i = 0; i < N; ++i) {
    if (text == names[i]) {
      out = static_cast<Enum>(i);
      return true;
    }
  }
  return false;
}

Setters AllSetters() {
  Setters setters;
  setters["name"] = [](std::string_view text, Skin& skin) {
    if (text.empty() || text.size() > kMaxNameLength) return false;
    skin.name = text;
    return true;
  };
  setters["scheme"] = [](std::string_view text, Skin& skin) {
    return ParseChoice(text, kSchemeNames, skin.scheme);
  };
  setters["gloss"] = [](std::string_view text, Skin& skin) {
    return ParseNumber(text, 255, 10, skin.gloss);
  };
  for (size_t role = 0; role < kRoleCount; ++role) {
    setters[kRoleNames[role]] = [role](std::string_view text, Skin& skin) {
      return ParseColour(text, skin.palette[role]);
    };
  }
  for (size_t part = 0; part < kPartCount; ++part) {
    const std::string prefix = kPartNames[part];
    setters[prefix + ".style"] = [part](std::string_view text, Skin& skin) {
      return ParseChoice(text, kStyleNames, skin.boxes[part].style);
    };
    setters[prefix + ".radius"] = [part](std::string_view text, Skin& skin) {
      return ParseNumber(text, kMaxRadius, 10, skin.boxes[part].radius);
    };
  }
  return setters;
}

std::string MissingKeys(const Setters& setters, const std::set<std::string, std::less<>>& seen) {
  std::string missing;
  for (const auto& [key, setter] : setters) {
    if (!seen.contains(key)) missing += (missing.empty() ? "" : ", ") + key;
  }
  return missing;
}

}  // namespace

std::optional<Skin> ParseSource(std::string_view text, std::string* error) {
  const Setters setters = AllSetters();
  std::set<std::string, std::less<>> seen;
  Skin skin;
  int line_number = 0;
  auto fail = [&](const std::string& what) -> std::optional<Skin> {
    *error = "line " + std::to_string(line_number) + ": " + what;
    return std::nullopt;
  };
  while (!text.empty()) {
    ++line_number;
    const size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line[0] == '#') continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return fail("expected key = value");
    const std::string key(Trim(line.substr(0, equals)));
    const std::string_view value = Trim(line.substr(equals + 1));
    const auto setter = setters.find(key);
    if (setter == setters.end()) return fail("unknown key \"" + key + "\"");
    if (!seen.insert(key).second) return fail("\"" + key + "\" given twice");
    if (!setter->second(value, skin))
      return fail("bad value for \"" + key + "\": \"" + std::string(value) + "\"");
  }
  if (const std::string missing = MissingKeys(setters, seen); !missing.empty()) {
    *error = "missing keys: " + missing;
    return std::nullopt;
  }
  return skin;
}

}  // namespace skin
