// Programs and test code run in a child process: with their output collected and a time
// limit, and, when the test runs as root, as an unprivileged user, so that what depends
// on permissions is tried as users meet it, however the suite is run.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>

namespace testing_support {

using namespace std::chrono_literals;

struct ChildOptions {
  std::chrono::milliseconds limit = 60s;  // then the child is killed
  bool unprivileged = false;              // as UnprivilegedUser() rather than as the test
};

struct ChildOutcome {
  // The exit status; 128 + the signal's number for a child ended by a signal; -1 for one
  // that was still running when the limit came.
  int status = -1;
  std::string out, err;
  std::chrono::milliseconds took{0};
};

// Runs `command` with /bin/sh -c, standard input empty, standard output and error collected.
ChildOutcome RunCommand(const std::string& command, ChildOptions options = {});

// Runs `body` in a forked child; its result is the child's exit status (as RunCommand's).
int RunInChild(const std::function<int()>& body, ChildOptions options = {});

// Who an unprivileged child runs as: "nobody" when the test runs as root, otherwise the
// test's own user, who has no privileges to drop.
uid_t UnprivilegedUser();
gid_t UnprivilegedGroup();

}  // namespace testing_support
