// `vitrel-bench --write-scene KIND N FILE`: the scenes the cases build,
// written as scene files, so that `standin mirror` can be timed on the very
// scenes the benchmark measures in-process.
#pragma once

namespace vitrel::bench {

// `argc` and `argv` hold KIND, N and FILE only. Returns the exit status;
// bad arguments and unwritable files end it with one line on standard error.
int WriteSceneCommand(int argc, char** argv);

}  // namespace vitrel::bench
