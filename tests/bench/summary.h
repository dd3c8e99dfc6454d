// `vitrel-bench --summary`: every case at two of its sizes through Google
// Benchmark's own runner, and one line per case that says how far it is
// from its reference and how its time grows with its size.
#pragma once

namespace vitrel::bench {

enum class SummarySizes {
  kEnds,      // the smallest and the largest size: what the lead reads
  kSmallest,  // the two smallest sizes: a quick check that every case runs
};

// Runs the summary; `argc` and `argv` hold the arguments for Google
// Benchmark (the program's name first). Returns the program's exit status:
// 0 when every case was measured.
int RunSummary(int argc, char** argv, SummarySizes sizes);

// `vitrel-bench --summary-case NAME/SIZE [runner options]`: one case at one
// size, the summary's measure of it printed for the summary to read.
// `argv` holds the program's name, the case's run name, then the runner's options. Returns 0 when it was
// measured.
int RunSummaryCase(int argc, char** argv);

}  // namespace vitrel::bench
