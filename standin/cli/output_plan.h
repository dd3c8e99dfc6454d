// The files a run writes, compared before it starts: two outputs that land
// in one file would leave only the last of them, and an output that lands on
// an input would destroy what the run reads.
#pragma once

#include <span>
#include <string_view>

namespace standin {

// A file given on the command line and the option (or operand) that gave it.
struct NamedFile {
  std::string_view option;  // "--out", "SCENE"
  std::string_view path;    // "-": a standard stream; empty: not given
  // An output that may replace an input whatever its option (a script's
  // `save` over the scene it loaded).
  bool may_replace_input = false;
};

// Throws UsageError naming both options when two `outputs` name the same
// file (the same path, the same file through links, standard output twice),
// or when an output names one of `inputs`, except `replaces_input`: the
// output whose very purpose may be to replace its input (--out over the
// scene). An input "-" is standard input, never an output's file.
void CheckOutputsApart(std::span<const NamedFile> outputs, std::span<const NamedFile> inputs,
                       std::string_view replaces_input);

}  // namespace standin
