// File permission tests mean nothing to root, who may read and write any
// file, and CI runs as root. RunUnprivileged runs the permission-dependent
// part of a test in a child process as the unprivileged user "nobody", which
// is handed the test's folder first; a normal user runs it in place.
// Failures inside the child are printed by the child and fail the test here.
// The body reads only what lies in that folder: the checkout may sit in a
// folder only its owner may enter (a home folder, /root), so a test copies
// the project files it needs into its folder first.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

namespace quillet::test {

inline void RunUnprivileged(const std::string& folder, const std::function<void()>& body) {
  if (::geteuid() != 0) {
    body();
    return;
  }
  constexpr uid_t kNobody = 65534;
  namespace fs = std::filesystem;
  ASSERT_EQ(::chown(folder.c_str(), kNobody, kNobody), 0);
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    ASSERT_EQ(::lchown(entry.path().c_str(), kNobody, kNobody), 0);
  }
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(3);
    if (::access(folder.c_str(), X_OK) != 0) {
      ADD_FAILURE() << "the unprivileged user cannot enter " << folder
                    << "; let TMPDIR name a folder everyone may enter";
      ::_exit(1);
    }
    body();
    ::_exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
      << "the part run as an unprivileged user failed (status " << status << ")";
}

}  // namespace quillet::test
