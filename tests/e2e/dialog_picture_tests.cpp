// Dialog pictures from the command line: `mirror --dialog-picture` and
// `--pictures`, and the script step `picture-dialog`, which draw the same
// dialog in the same state to the same bytes.
#include <algorithm>
#include <string>
#include <vector>

#include "standin_fixture.h"

namespace vitrel::e2e {
namespace {

using EndToEndDialogPictures = StandinTest;

const std::string kPngSignature = "\x89PNG\r\n\x1a\n";

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(EndToEndDialogPictures, MirrorAndScriptDrawTheSameDialogs) {
  const std::string scene = Example("polygon.json").string();
  const ProgramRun mirror = Standin({"mirror", scene, "--axis", "y", "--duplicate", "--out", "out.json",
                                     "--dialog-picture", "before-mirror.png", "--pictures", "shots/mirror"});
  ASSERT_EQ(mirror.status, 0) << mirror.err;
  EXPECT_EQ(Names(File("shots/mirror")), std::vector<std::string>{"10001.png"});
  const std::string before_mirror = ReadText(File("before-mirror.png"));
  EXPECT_TRUE(before_mirror.starts_with(kPngSignature));

  // The help dialog twice: a picture for each opening.
  const ProgramRun script = Script("load " + scene +
                                       "\ncommand 1024416\npicture-dialog opened.png\nset duplicate true\n"
                                       "set axis y\npicture-dialog set.png\npress 6000\npress 6000\n",
                                   {"--pictures", "shots/script"});
  ASSERT_EQ(script.status, 0) << script.err;
  EXPECT_EQ(Names(File("shots/script")), (std::vector<std::string>{"10001.png", "10024-2.png", "10024.png"}));
  EXPECT_TRUE(ReadText(File("shots/script/10024.png")).starts_with(kPngSignature));
  EXPECT_EQ(ReadText(File("set.png")), before_mirror);
  EXPECT_EQ(ReadText(File("opened.png")), ReadText(File("shots/mirror/10001.png")));
  EXPECT_NE(ReadText(File("opened.png")), before_mirror);
}

TEST_F(EndToEndDialogPictures, PicturesFolderThatIsAFileIsAUsageError) {
  WriteText(File("shots"), "keep me");
  const ProgramRun run =
      Standin({"mirror", Example("polygon.json").string(), "--out", "out.json", "--pictures", "shots"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("--pictures \"shots\": not a folder"), std::string::npos) << run.err;
  EXPECT_EQ(ReadText(File("shots")), "keep me");
  EXPECT_FALSE(fs::exists(File("out.json")));
}

}  // namespace
}  // namespace vitrel::e2e
