// What a hostile user or a careless pipeline hands the program: switches
// with values, words that look like options, files that are no files,
// inputs without end, scripts with bytes a path cannot hold.
#include <string>
#include <utility>
#include <vector>

#include "base/regular_input.h"
#include "child_process.h"
#include "standin_fixture.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vitrel::e2e {
namespace {

using HostileInput = StandinTest;

TEST_F(HostileInput, SwitchesMeanTheValueTheyAreGiven) {
  const std::string arm = Example("arm.json").string();
  const std::string plain = Standin({"mirror", arm}).out;
  const std::string skipped = Standin({"mirror", arm, "--skip-children"}).out;
  ASSERT_NE(plain, skipped);
  EXPECT_EQ(Standin({"mirror", arm, "--skip-children=false"}).out, plain);
  EXPECT_EQ(Standin({"mirror", arm, "--skip-children=Yes"}).out, skipped);
  EXPECT_EQ(Standin({"mirror", arm, "--no-points=off"}).out, plain);
  EXPECT_EQ(Standin({"mirror", arm, "--undo=0", "--redo=no"}).out, plain);
  EXPECT_NE(Standin({"mirror", arm, "--undo=on"}).out, plain);

  const ProgramRun banana = Standin({"mirror", arm, "--duplicate=banana"});
  EXPECT_EQ(banana.status, 2);
  EXPECT_EQ(banana.err,
            "standin: bad value \"banana\" for --duplicate (a switch: true or false, also 1 or 0, yes or no, "
            "on or off) (see standin mirror --help)\n");
  EXPECT_EQ(Standin({"validate", "--quiet=2"}).status, 2);
  EXPECT_EQ(Standin({"script", "x.txt", "--open-files=maybe", "--quiet"}).status, 2);
}

TEST_F(HostileInput, CommandLineConventionsOfOtherTools) {
  fs::copy_file(Example("arm.json"), File("-arm.json"));
  const ProgramRun dashed = Standin({"mirror", "--axis=y", "--", "-arm.json"});
  EXPECT_EQ(dashed.status, 0) << dashed.err;
  EXPECT_EQ(dashed.out, Standin({"mirror", Example("arm.json").string(), "--axis=y"}).out);

  EXPECT_EQ(Standin({"mirorr", "a.json"}).err,
            "standin: unknown command mirorr; did you mean mirror? (see standin --help)\n");
  EXPECT_EQ(Standin({"valdiate"}).err,
            "standin: unknown command valdiate; did you mean validate? (see standin --help)\n");
  EXPECT_EQ(Standin({"frobnicate"}).err, "standin: unknown command frobnicate (see standin --help)\n");
  const ProgramRun help = Standin({"help", "script"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out, Standin({"script", "--help"}).out);
  EXPECT_EQ(Standin({"help"}).out, Standin({"--help"}).out);
  EXPECT_EQ(Standin({"help", "rendr"}).status, 2);
}

TEST_F(HostileInput, TheSizeLimitHoldsToTheByte) {
  WriteText(File("four"), "1234");
  for (const uint64_t limit : {3u, 4u}) {
    std::string reason;
    const standin::InputKind kind{"a test", limit, "some bytes", false};
    std::string text;
    EXPECT_EQ(standin::ReadInput(File("four"), kind, text, reason), limit == 4) << limit;
    EXPECT_EQ(text, limit == 4 ? "1234" : "") << reason;
    standin::InputText whole;  // read straight into memory of the file's size
    EXPECT_EQ(standin::ReadInput(File("four"), kind, whole, reason), limit == 4) << limit;
    EXPECT_EQ(whole.view(), limit == 4 ? "1234" : "") << reason;
  }
}

#ifndef _WIN32
TEST_F(HostileInput, OnlyRegularFilesAreReadAndNeverWithoutEnd) {
  ASSERT_EQ(mkfifo(File("fifo.json").c_str(), 0600), 0);
  const std::string device =
      "is a character device, not a regular file; a scene is read from a regular "
      "file or from standard input (-)\n";
  EXPECT_EQ(Standin({"info", "/dev/zero"}).err, "standin: /dev/zero: " + device);
  EXPECT_EQ(Standin({"mirror", "fifo.json"}).status, 3);
  EXPECT_EQ(Standin({"script", "/dev/urandom"}).status, 3);
  const ProgramRun endless = Standin({"script", "-"}, std::string((16 << 20) + 1, '#'));
  EXPECT_EQ(endless.err, "standin: <stdin>: holds more than 16 MiB, the most standin reads as a script\n");

  // A picture of the plug-in's that is a FIFO no writer opens: the dialog
  // shows without its banner instead of the host waiting for ever.
  const fs::path plugins = PluginsCopy();
  const fs::path banner = plugins / "vitrel" / "res" / "banner.tif";
  fs::remove(banner);
  ASSERT_EQ(mkfifo(banner.c_str(), 0600), 0);
  const ProgramRun run =
      Standin({"mirror", Example("arm.json").string(), "--plugins", plugins.string(), "--out", "o.json"});
  EXPECT_EQ(run.status, 0) << run.err;
}

TEST_F(HostileInput, PluginFilesThatCannotLoadAreNamedNotMapped) {
  const fs::path plugins = PluginsCopy();
  const fs::path library = plugins / "vitrel" / "vitrel.so";
  const std::string whole = ReadText(library);
  for (const size_t size : {size_t{1000}, size_t{49000}, whole.size() - 1}) {
    WriteText(library, whole.substr(0, size));
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"mirror", Example("arm.json").string()},
          std::vector<std::string>{"validate"}}) {
      std::vector<std::string> args = command;
      args.insert(args.end(), {"--plugins", plugins.string()});
      const ProgramRun run = Standin(args);
      EXPECT_GT(run.status, 0) << command[0] << " " << size;  // not a signal
      EXPECT_NE(run.err.find("vitrel/vitrel.so: cut short: its headers name " + std::to_string(whole.size()) +
                             " bytes, the file holds " + std::to_string(size)),
                std::string::npos)
          << run.err;
    }
  }
  fs::remove(library);
  fs::create_directory(library);
  ASSERT_EQ(mkfifo((plugins / "vitrel" / "fifo.so").c_str(), 0600), 0);
  fs::create_symlink("nowhere", plugins / "gone");
  const ProgramRun run = Standin({"script", "-", "--plugins", plugins.string()}, "message 1\n");
  EXPECT_EQ(run.err, "standin: " + (plugins / "gone").string() +
                         ": is a link to nothing, not a plug-in's folder; it is left out\n"
                         "standin: plug-in " +
                         (plugins / "vitrel" / "fifo.so").string() +
                         ": is a FIFO, not a library file; it is left out\n"
                         "standin: plug-in " +
                         library.string() + ": is a folder, not a library file; it is left out\n");
}

TEST_F(HostileInput, NoPictureOnATerminalUnlessItIsNamed) {
  const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(terminal, 0);
  ASSERT_EQ(grantpt(terminal) | unlockpt(terminal), 0);
  const std::string arm = Example("arm.json").string();
  const std::string command = "exec \"$0\" \"$@\" > " + std::string(ptsname(terminal));
  const auto on_terminal = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"-c", command, STANDIN_PROGRAM});
    const test_support::ChildStreams streams{File(".in"), File(".out"), File(".err")};
    WriteText(streams.in, "");
    const int status = test_support::RunChild("/bin/sh", args, Scratch(), streams);
    return std::make_pair(status, ReadText(streams.err));
  };
  EXPECT_EQ(on_terminal({"mirror", arm, "--out", "o.json", "--picture", "-"}),
            std::make_pair(2, std::string("standin: --picture -: standard output is a terminal, which PNG "
                                          "bytes would garble; redirect it or name a file (see standin "
                                          "mirror --help)\n")));
  EXPECT_EQ(on_terminal({"render", arm, "--out", "-"}).first, 2);
  EXPECT_EQ(on_terminal({"mirror", arm, "--out", "o.json", "--picture", "p.png"}).first, 0);
  close(terminal);
}
#endif

TEST_F(HostileInput, ScriptTextIsWholeOrRefused) {
  const std::string load = "load " + Example("arm.json").string();
  const ProgramRun marked = Script("\xEF\xBB\xBF" + load + "\nsave out.json\n");
  EXPECT_EQ(marked.status, 0) << marked.err;
  const ProgramRun nul = Script(load + std::string(1, '\0') + "garbage\nsave out2.json\n");
  EXPECT_EQ(nul.status, 3);
  EXPECT_EQ(nul.err, "standin: steps.txt:1: a NUL byte at column " + std::to_string(load.size() + 1) +
                         "; a script is text, one step per line\n");
  EXPECT_FALSE(fs::exists(File("out2.json")));
}

}  // namespace
}  // namespace vitrel::e2e
