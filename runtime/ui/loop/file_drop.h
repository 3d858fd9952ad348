// Files dropped onto the program's main window, from a file manager or a desktop: the
// window takes the whole drop (no box under the pointer takes it as text), and the first
// file it names goes to the routine the program set, once the drop is over.
#pragma once

#include <string>
#include <string_view>

class Fl_Widget;

namespace rt {

// Takes a path as an inside text (GBK).
using FileDropRoutine = void (*)(const std::string& path);

// Without a routine the window takes no drops.
void SetFileDropRoutine(FileDropRoutine routine);

// Whether the window takes the toolkit event as a part of a drop onto it.
bool TakeDropEvent(Fl_Widget& window, int event);

// The first file named by the text of a drop, UTF-8: a "file:" URI of a URI list
// (percent-escapes decoded), or a line holding an absolute path as Windows gives it. Empty
// when it names no file.
std::string DroppedFilePath(std::string_view text);

}  // namespace rt
