// The reason for a failure in the system's words, on POSIX systems: the C library's text for
// errno, in the language of the user's locale.
#include <locale.h>
#include <string.h>

#include <cerrno>
#include <string>

#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"

namespace rt::platform {
namespace {

// The messages of the user's locale (LC_MESSAGES), written in UTF-8 whatever the locale's
// own character set; null when the system lacks either.
locale_t UsersMessagesInUtf8() {
  locale_t messages = newlocale(LC_MESSAGES_MASK, "", nullptr);
  if (!messages) return nullptr;
  locale_t in_utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", messages);  // takes `messages` over
  if (!in_utf8) freelocale(messages);
  return in_utf8;
}

}  // namespace

std::string LastFailureText() {
  const int error = errno;
  if (error == 0) return {};
  locale_t users = UsersMessagesInUtf8();
  // Without the user's locale, the messages of the C locale, which are plain ASCII.
  locale_t locale = users ? users : newlocale(LC_ALL_MASK, "C", nullptr);
  const std::string text = locale ? strerror_l(error, locale) : "";
  if (locale) freelocale(locale);
  return Utf8ToGbk(text);
}

}  // namespace rt::platform
