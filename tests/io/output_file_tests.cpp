// Output files are replaced whole or not at all.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "io/output_file.h"
#include "io/scene_writer.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

class OutputFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("io_tests_" + std::to_string(getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path Path(const char* name) const { return folder_ / name; }

  static void Put(const fs::path& path, std::string_view text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string Get(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  // Names in the folder, so that a leftover temporary file shows.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path folder_;
};

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

TEST_F(OutputFile, MissingFolderIsAnError) {
  EXPECT_THROW(ReplaceFile(Path("no/such/out.json").string(), "new"), FileWriteError);
  EXPECT_TRUE(Names().empty());
}

TEST_F(OutputFile, UnwritableSceneTouchesNothing) {
  const fs::path out = Path("out.json");
  Put(out, "old");
  Scene scene;
  Document& document = scene.NewDocument();
  Object* op = scene.NewObject(5140);
  op->data.matrix.v2.y = std::numeric_limits<double>::infinity();
  document.Append(op, nullptr);
  try {
    WriteSceneFile(document, out.string());
    ADD_FAILURE() << "an infinite number was written";
  } catch (const SceneWriteError& error) {
    EXPECT_EQ(error.what(), out.string() + ": objects[0].matrix: number is not finite");
  }
  EXPECT_EQ(Get(out), "old");
}

}  // namespace
}  // namespace standin
