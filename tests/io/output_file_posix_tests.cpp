// Output files on POSIX systems: permissions, symbolic links and the
// file-size limit.
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "io/output_file.h"
#include "output_file_fixture.h"

namespace standin {
namespace {

TEST_F(OutputFile, ReplacesTheFileAndKeepsItsPermissions) {
  const fs::path out = Path("out.json");
  Put(out, "old contents, longer than the new ones");
  chmod(out.c_str(), 0640);
  ReplaceFile(out.string(), "new");
  EXPECT_EQ(Get(out), "new");
  EXPECT_EQ(fs::status(out).permissions(), fs::perms(0640));
  EXPECT_EQ(Names(), std::vector<std::string>{"out.json"});
}

TEST_F(OutputFile, ReplacesTheFileALinkNames) {
  const fs::path target = Path("real.json");
  const fs::path link = Path("link.json");
  Put(target, "old");
  fs::create_symlink(target, link);
  ReplaceFile(link.string(), "new");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Get(target), "new");
}

// A write that fails half way (here: the file-size limit) leaves the old
// file as it was and no temporary file behind.
TEST_F(OutputFile, FailedWriteLeavesTheOldFile) {
  const fs::path out = Path("out.json");
  Put(out, "old");
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  const auto previous_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 1000;
  setrlimit(RLIMIT_FSIZE, &small);
  std::string message;
  try {
    ReplaceFile(out.string(), std::string(5000, 'x'));
  } catch (const FileWriteError& error) {
    message = error.what();
  }
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous_handler);
  EXPECT_EQ(message, out.string() + ": cannot write: File too large");
  EXPECT_EQ(Get(out), "old");
  EXPECT_EQ(Names(), std::vector<std::string>{"out.json"});
}

}  // namespace
}  // namespace standin
