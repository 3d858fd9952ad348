#include "tests/child_process.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace testing_support {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

const passwd* Nobody() { return getpwnam("nobody"); }

bool DropPrivileges() {
  if (geteuid() != 0) return true;
  return setgroups(0, nullptr) == 0 && setgid(UnprivilegedGroup()) == 0 &&
         setuid(UnprivilegedUser()) == 0 && setuid(0) != 0;
}

int StatusOf(int wait_status) {
  if (WIFEXITED(wait_status)) return WEXITSTATUS(wait_status);
  return 128 + WTERMSIG(wait_status);
}

// Waits for the child until the limit, polling. A child still running then is killed with
// every process it started: each child leads a process group of its own.
int WaitWithin(pid_t pid, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int wait_status = 0;
  while (waitpid(pid, &wait_status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(-pid, SIGKILL);
      waitpid(pid, &wait_status, 0);
      return -1;
    }
    std::this_thread::sleep_for(2ms);
  }
  return StatusOf(wait_status);
}

std::string Take(const fs::path& path) {
  std::string content;
  {
    std::ifstream file(path, std::ios::binary);
    content.assign(std::istreambuf_iterator<char>(file), {});
  }
  fs::remove(path);
  return content;
}

// A file the child writes into, whoever it runs as.
fs::path OutputFile(const char* what) {
  std::string path =
      (fs::temp_directory_path() / (std::string("capcalc-child-") + what + "-XXXXXX")).string();
  const int fd = mkstemp(path.data());
  fchmod(fd, 0666);
  close(fd);
  return path;
}

void RedirectInChild(const fs::path& out, const fs::path& err) {
  const int null = open("/dev/null", O_RDONLY);
  const int out_fd = open(out.c_str(), O_WRONLY | O_TRUNC);
  const int err_fd = open(err.c_str(), O_WRONLY | O_TRUNC);
  dup2(null, 0);
  dup2(out_fd, 1);
  dup2(err_fd, 2);
}

}  // namespace

uid_t UnprivilegedUser() {
  if (geteuid() != 0) return geteuid();
  return Nobody() ? Nobody()->pw_uid : kNobody;
}

gid_t UnprivilegedGroup() {
  if (geteuid() != 0) return getegid();
  return Nobody() ? Nobody()->pw_gid : kNobody;
}

int RunInChild(const std::function<int()>& body, ChildOptions options) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);
    if (options.unprivileged && !DropPrivileges()) {
      std::fputs("cannot drop privileges\n", stderr);
      _exit(127);
    }
    _exit(body());
  }
  if (pid < 0) return -1;
  setpgid(pid, pid);  // whichever of the two runs first
  return WaitWithin(pid, options.limit);
}

ChildOutcome RunCommand(const std::string& command, ChildOptions options) {
  const fs::path out = OutputFile("out"), err = OutputFile("err");
  const auto start = std::chrono::steady_clock::now();
  ChildOutcome outcome;
  outcome.status = RunInChild(
      [&] {
        RedirectInChild(out, err);
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        return 127;
      },
      options);
  outcome.took = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  outcome.out = Take(out);
  outcome.err = Take(err);
  return outcome;
}

}  // namespace testing_support
