// Output files on POSIX systems: permissions, symbolic links, FIFOs,
// refused targets, the file-size limit, outputs written all or none,
// temporary files removed by an interruption, and flushes beside the
// writing that fail.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <thread>

#include "io/data_settler.h"
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
  // No SIGXFSZ handling here: the writer itself must keep the signal from
  // ending the program.
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

// Any signal that ends the program while outputs are staged removes their
// temporary files, however many, then ends the program as that signal does.
TEST_F(OutputFile, InterruptionRemovesTemporaryFiles) {
  Put(Path("out.json"), "old");
  for (const int signal : {SIGTERM, SIGQUIT, SIGALRM, SIGUSR1}) {
    EXPECT_EXIT(
        {
          OutputBatch batch;
          batch.Stage(Path("out.json").string(), "new");
          for (int i = 0; i < 70; ++i) batch.Stage((folder_ / ("more" + std::to_string(i))).string(), "new");
          std::raise(signal);
        },
        ::testing::KilledBySignal(signal), "")
        << signal;
  }
  EXPECT_EQ(Get(Path("out.json")), "old");
  EXPECT_EQ(Names(), std::vector<std::string>{"out.json"});
}

// An output written as the run goes has its temporary file from the start;
// a write that fails half way, on the run's thread or the output's writer,
// is held (the writer may be inside a plug-in's call) and thrown when it is
// staged. Failed or dropped, it leaves the old file and no temporary file.
TEST_F(OutputFile, OutputInProgressFailsWhenStagedAndLeavesNothing) {
  const fs::path out = Path("out.json");
  Put(out, "old");
  const std::string block(5000, 'x');
  for (const bool behind : {false, true}) {
    SCOPED_TRACE(behind);
    std::unique_ptr<OutputInProgress> output = OutputInProgress::Start(out.string());
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(Names().size(), 2u);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    if (behind) {
      output->WriteBehind(block);
    } else {
      output->Write(block);
    }
    output->Write("more");  // waits for the block: it is written under the limit
    setrlimit(RLIMIT_FSIZE, &saved);
    std::string message;
    try {
      OutputBatch batch;
      batch.StageWritten(std::move(output));
    } catch (const FileWriteError& error) {
      message = error.what();
    }
    EXPECT_EQ(message, out.string() + ": cannot write: File too large");
  }
  OutputInProgress::Start(out.string()).reset();
  std::unique_ptr<OutputInProgress> dropped = OutputInProgress::Start(out.string());
  dropped->WriteBehind(block);
  dropped.reset();
  EXPECT_EQ(Get(out), "old");
  EXPECT_EQ(Names(), std::vector<std::string>{"out.json"});
}

// A rename that fails at commit (here the target became a folder after it
// was checked) gives every output already renamed its old file back, and
// removes one that did not exist before.
TEST_F(OutputFile, FailedCommitGivesBackEveryOldFile) {
  Put(Path("a.json"), "old a");
  std::string message;
  try {
    OutputBatch batch;
    batch.Stage(Path("a.json").string(), "new a");
    batch.Stage(Path("b.json").string(), "new b");
    batch.Stage(Path("c.json").string(), "new c");
    fs::create_directories(Path("c.json") / "inside");
    batch.Commit();
  } catch (const FileWriteError& error) {
    message = error.what();
  }
  EXPECT_NE(message.find("c.json: cannot replace: "), std::string::npos) << message;
  EXPECT_TRUE(message.ends_with("; no file was replaced")) << message;
  EXPECT_EQ(Get(Path("a.json")), "old a");
  EXPECT_EQ(Names(), (std::vector<std::string>{"a.json", "c.json"}));
}

// A read-only file is refused, also for root, as cp refuses it; a name of
// the longest length a folder takes (multibyte characters at the cut) is
// written, and leaves no temporary file.
TEST_F(OutputFile, ReadOnlyRefusedAndLongestNamesWritten) {
  Put(Path("locked.json"), "old");
  chmod(Path("locked.json").c_str(), 0444);
  EXPECT_THROW(CheckOutputTarget(Path("locked.json").string()), FileWriteError);
  EXPECT_THROW(ReplaceFile(Path("locked.json").string(), "new"), FileWriteError);
  EXPECT_EQ(Get(Path("locked.json")), "old");
  for (const std::string& name : {std::string(255, 'n'), std::string(1, 'n') + [] {
                                    std::string text;
                                    for (int i = 0; i < 127; ++i) text += "\xc3\xa9";
                                    return text;
                                  }()}) {
    ReplaceFile((folder_ / name).string(), "first");
    ReplaceFile((folder_ / name).string(), "second");
    EXPECT_EQ(Get(folder_ / name), "second");
    EXPECT_EQ(Names().size(), 2u);
    fs::remove(folder_ / name);
  }
}

// A flush beside the writing that fails reports its error once, so the
// final flush would see none: the settler must keep it for the file.
std::atomic<int> failed_flushes{0};
int FailingFlush(int) {
  ++failed_flushes;
  errno = EIO;
  return -1;
}

TEST(DataSettler, KeepsTheErrorOfAFlushForTheEnd) {
  failed_flushes = 0;
  DataSettler settler(-1, &FailingFlush);
  settler.Ask();
  while (failed_flushes == 0) std::this_thread::yield();
  EXPECT_EQ(settler.Stop(), EIO);
  settler.Ask();  // after the end: nothing more
  EXPECT_EQ(settler.Stop(), EIO);
  EXPECT_EQ(failed_flushes, 1);
}

}  // namespace
}  // namespace standin
