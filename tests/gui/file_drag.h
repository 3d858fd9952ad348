// A file dragged from a file manager and dropped onto a window: the drag-and-drop protocol
// of X (XDND) from the source's side, offering the file as a URI list.
#pragma once

#include <X11/Xlib.h>

#include <filesystem>
#include <string>

namespace gui {

// The file's URI as a file manager offers it: "file:///tmp/a%20b.json".
std::string FileUri(const std::filesystem::path& path);

// Drags the URI list over `target` to the screen point and drops it there; true once the
// target has taken the drop and said it is finished with it.
bool DropUriList(Display* display, Window target, int x_root, int y_root,
                 const std::string& uri_list);

}  // namespace gui
