// Output files on POSIX systems: permissions, symbolic links, FIFOs,
// refused targets, the file-size limit, outputs written all or none and
// temporary files removed by an interruption.
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <thread>

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

// Links are followed to the name they finally point at and stay links: a
// dangling chain creates the file at its end; a loop is refused.
TEST_F(OutputFile, LinksAreFollowedAndStay) {
  fs::create_directory(Path("sub"));
  fs::create_symlink("sub/second", Path("first"));
  fs::create_symlink("new.json", Path("sub/second"));
  ReplaceFile(Path("first").string(), "new");
  EXPECT_TRUE(fs::is_symlink(Path("first")) && fs::is_symlink(Path("sub/second")));
  EXPECT_EQ(Get(Path("sub/new.json")), "new");

  fs::create_symlink("loop.json", Path("loop.json"));
  EXPECT_THROW(ReplaceFile(Path("loop.json").string(), "new"), FileWriteError);
  EXPECT_TRUE(fs::is_symlink(Path("loop.json")));
}

// A FIFO is written to, not replaced: its reader gets the bytes.
TEST_F(OutputFile, FifoIsWrittenThrough) {
  const fs::path fifo = Path("pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string got;
  std::thread reader([&] { got = Get(fifo); });
  ReplaceFile(fifo.string(), "through the pipe");
  reader.join();
  EXPECT_EQ(got, "through the pipe");
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(Names(), std::vector<std::string>{"pipe"});
}

// A target that cannot be written fails the whole batch: the outputs staged
// before it are not put in place and leave no temporary file behind.
TEST_F(OutputFile, RefusedTargetLeavesEveryOutputUntouched) {
  Put(Path("out.json"), "old");
  fs::create_directory(Path("folder"));
  const std::string folder = Path("folder").string();
  for (const std::string& bad : {folder, Path("no/such.json").string()}) {
    try {
      OutputBatch batch;
      batch.Stage(Path("out.json").string(), "new");
      batch.Stage(bad, "new");
      batch.Commit();
      ADD_FAILURE() << bad << " was written";
    } catch (const FileWriteError&) {
    }
  }
  EXPECT_THROW(CheckOutputTarget(folder), FileWriteError);
  EXPECT_EQ(Get(Path("out.json")), "old");
  EXPECT_TRUE(fs::is_empty(Path("folder")));
  EXPECT_EQ(Names(), (std::vector<std::string>{"folder", "out.json"}));
}

// SIGTERM while an output is staged removes its temporary file, then ends
// the program as SIGTERM does.
TEST_F(OutputFile, InterruptionRemovesTemporaryFiles) {
  Put(Path("out.json"), "old");
  EXPECT_EXIT(
      {
        OutputBatch batch;
        batch.Stage(Path("out.json").string(), "new");
        std::raise(SIGTERM);
      },
      ::testing::KilledBySignal(SIGTERM), "");
  EXPECT_EQ(Get(Path("out.json")), "old");
  EXPECT_EQ(Names(), std::vector<std::string>{"out.json"});
}

}  // namespace
}  // namespace standin
