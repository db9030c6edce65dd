// Every file is written through AtomicFile and read through FileSource, so
// their promises are tested here once, on every kind of thing a path can
// name: the node that is not a regular file stays what it is, a link stays a
// link, protection, owner, group and mode hold, and no temporary file
// outlives its writer.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "core/card_data/byte_source.h"
#include "core/card_data/io_error.h"
#include "core/card_data/safe_file.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

using test::TempDir;
constexpr uid_t kNobody = 65534;

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const IoError& e) {
    return e.what();
  }
  return "no error";
}

void WriteAtomically(const std::string& path, std::string_view bytes) {
  AtomicFile file(path);
  BufferedSink sink(file.fd());
  sink.Write(bytes);
  sink.Flush();
  file.Commit();
}

struct Special {
  const char* label;
  std::function<void(const std::string&)> make;
  mode_t type;
};

void MakeSocket(const std::string& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  path.copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ::close(fd);
}

class SpecialFiles : public ::testing::TestWithParam<Special> {};

// Neither reading nor writing blocks on a FIFO nobody writes to, and the
// node is still the same kind of node afterwards.
TEST_P(SpecialFiles, AreRefusedAtOnceAndStayWhatTheyAre) {
  TempDir dir;
  const std::string path = dir.File("deck.txt");
  GetParam().make(path);
  EXPECT_EQ(ErrorOf([&] { FileSource source(path); }), "File access denied");
  EXPECT_EQ(ErrorOf([&] { WriteAtomically(path, "1\tCole\r\n"); }), "File access denied");
  // Through a link too.
  ASSERT_EQ(::symlink("deck.txt", dir.File("link.txt").c_str()), 0);
  EXPECT_EQ(ErrorOf([&] { WriteAtomically(dir.File("link.txt"), "x"); }), "File access denied");
  struct stat st {};
  ASSERT_EQ(::lstat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & S_IFMT, GetParam().type);
  EXPECT_EQ(TempDir::Names(dir.path()), (std::set<std::string>{"deck.txt", "link.txt"}));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SpecialFiles,
    ::testing::Values(Special{"Fifo",
                              [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); },
                              S_IFIFO},
                      Special{"Folder",
                              [](const std::string& p) { ASSERT_EQ(::mkdir(p.c_str(), 0755), 0); },
                              S_IFDIR},
                      Special{"Socket", MakeSocket, S_IFSOCK}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(FileSafetyTest, DevicesAndOversizedFilesAreNotRead) {
  EXPECT_EQ(ErrorOf([] { FileSource source("/dev/zero"); }), "File access denied");
  TempDir dir;
  const std::string path = dir.Write("big", std::string(1001, 'x'));
  EXPECT_EQ(ErrorOf([&] { FileSource source(path, 1000); }), "File access denied");
  EXPECT_EQ(ErrorOf([&] { FileSource source(path, 1001); }), "no error");
}

TEST(FileSafetyTest, LinksStayLinksAndTheirTargetsAreReplaced) {
  TempDir dir;
  ASSERT_EQ(::mkdir(dir.File("e").c_str(), 0755), 0);
  dir.Write("e/r.txt", "old");
  ASSERT_EQ(::symlink("e/r.txt", dir.File("relative").c_str()), 0);
  ASSERT_EQ(::symlink(dir.File("relative").c_str(), dir.File("chain").c_str()), 0);
  WriteAtomically(dir.File("relative"), "one");
  EXPECT_EQ(TempDir::Read(dir.File("e/r.txt")), "one");
  WriteAtomically(dir.File("chain"), "two");
  EXPECT_EQ(TempDir::Read(dir.File("e/r.txt")), "two");
  for (const char* link : {"relative", "chain"}) {
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File(link))) << link;
  }
  EXPECT_EQ(TempDir::Names(dir.File("e")), (std::set<std::string>{"r.txt"}));

  ASSERT_EQ(::symlink("e/gone.txt", dir.File("dangling").c_str()), 0);
  EXPECT_EQ(ErrorOf([&] { WriteAtomically(dir.File("dangling"), "x"); }), "File not found");
  EXPECT_FALSE(std::filesystem::exists(dir.File("e/gone.txt")));
}

TEST(FileSafetyTest, AFileWithoutWriteBitsIsRefusedEvenForTheSuperUser) {
  TempDir dir;
  const std::string path = dir.Write("deck.txt", "old");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(ErrorOf([&] { WriteAtomically(path, "new"); }), "File access denied");
  EXPECT_EQ(TempDir::Read(path), "old");
  EXPECT_EQ(TempDir::Names(dir.path()), (std::set<std::string>{"deck.txt"}));
}

TEST(FileSafetyTest, AnotherUsersFileInAnOpenFolderIsRefused) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs a second user";
  TempDir dir;
  ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
  const std::string path = dir.Write("deck.txt", "old");
  ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(3);
    ::_exit(ErrorOf([&] { WriteAtomically(path, "new"); }) == "File access denied" ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(TempDir::Read(path), "old");
}

TEST(FileSafetyTest, OwnerGroupAndModeAreKept) {
  TempDir dir;
  const std::string path = dir.Write("deck.txt", "old");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
  }
  WriteAtomically(path, "new");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(st.st_uid, kNobody);
    EXPECT_EQ(st.st_gid, kNobody);
  }
  EXPECT_EQ(TempDir::Read(path), "new");
}

// A shared file of root's, group-writable for the group of another user:
// that user's write cannot keep root as the owner, but keeps group and mode.
TEST(FileSafetyTest, AnotherUsersWriteKeepsGroupAndMode) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs a second user";
  TempDir dir;
  ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
  const std::string path = dir.Write("ZNUTILS.INI", "old");
  ASSERT_EQ(::chown(path.c_str(), 0, kNobody), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(3);
    ::_exit(ErrorOf([&] { WriteAtomically(path, "new"); }) == "no error" ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_gid, kNobody);
  EXPECT_EQ(st.st_mode & 07777, 0664u);
  EXPECT_EQ(TempDir::Read(path), "new");
}

TEST(FileSafetyTest, AnOversizeWriteFailsAsDiskFullAndLeavesNothing) {
  TempDir dir;
  const std::string path = dir.Write("deck.txt", "old");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const std::string error = ErrorOf([&] { WriteAtomically(path, std::string(100000, 'x')); });
    ::_exit(error == "Disk full" ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(TempDir::Read(path), "old");
  EXPECT_EQ(TempDir::Names(dir.path()), (std::set<std::string>{"deck.txt"}));
}

// A replaced file keeps its extended attributes, and with them its access
// ACL: no user loses access, and the group gains none.
TEST(FileSafetyTest, ExtendedAttributesAndAclsAreKept) {
  TempDir dir;
  const std::string path = dir.Write("deck.txt", "old");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  if (::setxattr(path.c_str(), "user.quillet.note", "kept", 4, 0) != 0) {
    GTEST_SKIP() << "the file system takes no user attributes";
  }
  // user::rw-, user 1001: rw-, group::r--, mask::rw-, other::---, as
  // setfacl -m u:1001:rw writes it.
  const unsigned char acl[] = {2, 0,   0,   0,   1,   0,   6,  0, 255, 255, 255, 255, 2,   0,  6,
                               0, 233, 3,   0,   0,   4,   0,  4, 0,   255, 255, 255, 255, 16, 0,
                               6, 0,   255, 255, 255, 255, 32, 0, 0,   0,   255, 255, 255, 255};
  const bool hasAcl = ::setxattr(path.c_str(), "system.posix_acl_access", acl, sizeof acl, 0) == 0;
  struct stat before {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  WriteAtomically(path, "new");
  char value[64] = {};
  EXPECT_EQ(::getxattr(path.c_str(), "user.quillet.note", value, sizeof value), 4);
  EXPECT_EQ(std::string(value, 4), "kept");
  struct stat after {};
  ASSERT_EQ(::stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_mode & 07777, before.st_mode & 07777);
  if (hasAcl) {
    unsigned char got[sizeof acl] = {};
    EXPECT_EQ(::getxattr(path.c_str(), "system.posix_acl_access", got, sizeof got),
              static_cast<ssize_t>(sizeof acl));
    EXPECT_EQ(std::memcmp(got, acl, sizeof acl), 0);
  }
}

TEST(FileSafetyTest, ANewFileNeverReplacesOneMadeMeanwhile) {
  TempDir dir;
  const std::string path = dir.File("new.txt");
  AtomicFile file(path);
  ASSERT_EQ(::write(file.fd(), "ours", 4), 4);
  dir.Write("new.txt", "theirs");
  EXPECT_EQ(ErrorOf([&] { file.CommitNew(); }), "File exists");
  EXPECT_EQ(TempDir::Read(path), "theirs");
  AtomicFile second(dir.File("other.txt"));
  ASSERT_EQ(::write(second.fd(), "ours", 4), 4);
  second.CommitNew();
  EXPECT_EQ(TempDir::Read(dir.File("other.txt")), "ours");
}

TEST(FileSafetyTest, ANamedWriterThatIsDroppedLeavesNothing) {
  TempDir dir;
  const std::string path = dir.Write("deck.txt", "old");
  {
    AtomicFile file(path);
    const std::string name = file.Name();
    EXPECT_TRUE(std::filesystem::exists(name));
  }
  EXPECT_EQ(TempDir::Names(dir.path()), (std::set<std::string>{"deck.txt"}));
  EXPECT_EQ(TempDir::Read(path), "old");
}

// The whole-file pair reads back what it wrote, through the same refusals
// as the reader and the writer beneath them.
TEST(FileSafetyTest, WholeFilesReadBackWhatWasWrittenWithinTheirLimit) {
  TempDir dir;
  const std::string path = dir.File("settings.ini");
  WriteWholeFile(path, "[Main]\r\nkept=1\r\n");
  EXPECT_EQ(ReadWholeFile(path), "[Main]\r\nkept=1\r\n");
  WriteWholeFile(path, "");
  EXPECT_EQ(ReadWholeFile(path), "");
  EXPECT_EQ(TempDir::Names(dir.path()), (std::set<std::string>{"settings.ini"}));

  WriteWholeFile(path, std::string(11, 'x'));
  EXPECT_EQ(ErrorOf([&] { ReadWholeFile(path, 10); }), "File access denied");
  EXPECT_EQ(ReadWholeFile(path, 11), std::string(11, 'x'));
  EXPECT_EQ(ErrorOf([&] { ReadWholeFile(dir.File("missing.ini")); }), "File not found");
}

}  // namespace
}  // namespace quillet
