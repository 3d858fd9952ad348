#include "tests/gui/file_drag.h"

#include <X11/Xatom.h>

#include <chrono>
#include <thread>

namespace gui {
namespace {

constexpr long kXdndVersion = 5;

Atom Intern(Display* display, const char* name) { return XInternAtom(display, name, False); }

void SendXdnd(Display* display, Window target, const char* message, Window source, long l1, long l2,
              long l3, long l4) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = target;
  event.xclient.message_type = Intern(display, message);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(source);
  event.xclient.data.l[1] = l1;
  event.xclient.data.l[2] = l2;
  event.xclient.data.l[3] = l3;
  event.xclient.data.l[4] = l4;
  XSendEvent(display, target, False, NoEventMask, &event);
  XFlush(display);
}

// Gives the target the list when it asks for the selection.
void AnswerRequest(Display* display, const XSelectionRequestEvent& request,
                   const std::string& uri_list) {
  XEvent reply{};
  reply.xselection.type = SelectionNotify;
  reply.xselection.requestor = request.requestor;
  reply.xselection.selection = request.selection;
  reply.xselection.target = request.target;
  reply.xselection.time = request.time;
  reply.xselection.property = request.property;
  XChangeProperty(display, request.requestor, request.property, request.target, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(uri_list.data()),
                  static_cast<int>(uri_list.size()));
  XSendEvent(display, request.requestor, False, NoEventMask, &reply);
  XFlush(display);
}

// Waits for the client message to the source, answering selection requests meanwhile.
bool WaitFor(Display* display, Window source, const char* message, const std::string& uri_list,
             long* first_datum) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < end) {
    XEvent event;
    if (!XCheckTypedWindowEvent(display, source, ClientMessage, &event) &&
        !XCheckTypedWindowEvent(display, source, SelectionRequest, &event)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      continue;
    }
    if (event.type == SelectionRequest) {
      AnswerRequest(display, event.xselectionrequest, uri_list);
    } else if (event.xclient.message_type == Intern(display, message)) {
      *first_datum = event.xclient.data.l[1];
      return true;
    }
  }
  return false;
}

}  // namespace

bool DropUriList(Display* display, Window target, int x_root, int y_root,
                 const std::string& uri_list) {
  const Window source =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(display, Intern(display, "XdndSelection"), source, CurrentTime);
  const long uri_type = static_cast<long>(Intern(display, "text/uri-list"));
  SendXdnd(display, target, "XdndEnter", source, kXdndVersion << 24, uri_type, 0, 0);
  SendXdnd(display, target, "XdndPosition", source, 0, (x_root << 16) | y_root, CurrentTime,
           static_cast<long>(Intern(display, "XdndActionCopy")));
  long accepted = 0, finished = 0;
  const bool dropped =
      WaitFor(display, source, "XdndStatus", uri_list, &accepted) && (accepted & 1) != 0;
  if (dropped) {
    SendXdnd(display, target, "XdndDrop", source, 0, CurrentTime, 0, 0);
  } else {
    SendXdnd(display, target, "XdndLeave", source, 0, 0, 0, 0);
  }
  const bool done = dropped && WaitFor(display, source, "XdndFinished", uri_list, &finished);
  XDestroyWindow(display, source);
  XFlush(display);
  return done;
}

std::string FileUri(const std::filesystem::path& path) {
  std::string uri = "file://";
  for (char c : path.string()) uri += c == ' ' ? std::string("%20") : std::string(1, c);
  return uri;
}

}  // namespace gui
