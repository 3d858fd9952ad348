#include "runtime/ui/loop/file_drop.h"

#include <FL/Fl.H>
#include <FL/Fl_Widget.H>

#include <cctype>

#include "runtime/platform/gbk.h"
#include "runtime/ui/loop/posted_calls.h"

namespace rt {
namespace {

FileDropRoutine drop_routine = nullptr;
bool drop_released = false;  // the drop is over and its text is on its way

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

std::string PercentDecoded(std::string_view text) {
  std::string decoded;
  for (size_t i = 0; i < text.size(); ++i) {
    const int high = i + 2 < text.size() && text[i] == '%' ? HexValue(text[i + 1]) : -1;
    const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
    if (low >= 0) {
      decoded += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

// "file:///home/a/x.json" and "file://localhost/home/a/x.json" name /home/a/x.json.
std::string FileOfUri(std::string_view uri) {
  uri.remove_prefix(5);  // "file:"
  if (uri.starts_with("//")) {
    uri.remove_prefix(2);
    const size_t path = uri.find('/');
    if (path == std::string_view::npos) return {};
    uri.remove_prefix(path);
  }
  return uri.starts_with("/") ? PercentDecoded(uri) : std::string();
}

bool IsAbsolutePath(std::string_view line) {
  const bool drive = line.size() > 2 && std::isalpha(static_cast<unsigned char>(line[0])) &&
                     line[1] == ':' && (line[2] == '\\' || line[2] == '/');
  return drive || line.starts_with("/") || line.starts_with("\\\\");
}

}  // namespace

void SetFileDropRoutine(FileDropRoutine routine) { drop_routine = routine; }

std::string DroppedFilePath(std::string_view text) {
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty() || line.starts_with("#")) continue;  // a URI list's comment
    if (line.starts_with("file:")) return FileOfUri(line);
    return IsAbsolutePath(line) ? std::string(line) : std::string();
  }
  return {};
}

bool TakeDropEvent(Fl_Widget& window, int event) {
  if (!drop_routine) return false;
  switch (event) {
    case FL_DND_ENTER:
    case FL_DND_DRAG:
      // The window, not a box under the pointer, is where the drop goes.
      Fl::belowmouse(&window);
      return true;
    case FL_DND_LEAVE: return true;
    case FL_DND_RELEASE: drop_released = true; return true;
    case FL_PASTE: {
      if (!drop_released) return false;
      drop_released = false;
      const std::string path =
          DroppedFilePath(std::string_view(Fl::event_text(), Fl::event_length()));
      // Once the drop is over: the routine may show a message box.
      if (!path.empty())
        PostCall([routine = drop_routine, path = Utf8ToGbk(path)] { routine(path); });
      return true;
    }
    default: return false;
  }
}

}  // namespace rt
