#include "ui/filename.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "host/faults.h"
#include "host/plugin_calls.h"
#include "journal/journal.h"
#include "ui/handle_table.h"
#include "ui/host_options.h"
#include "ui/open_file.h"
#include "ui/vt_text.h"

namespace standin {
namespace {

struct Filename {
  std::string path;
};

HandleTable<Filename, VtFilename>& Names() {
  static HandleTable<Filename, VtFilename> names;
  return names;
}

Filename* Live(const VtFilename* name) { return Names().Find(name); }

VtFilename* Alloc(VtText text) {
  if (text.length < 0 || (text.data == nullptr && text.length > 0)) return nullptr;
  std::string_view view = TextView(text);
  // A NUL byte would end the path early wherever the system reads it.
  if (view.find('\0') != std::string_view::npos) return nullptr;
  if (HostFaults().ShouldFail(Fault::kFilename)) return nullptr;
  return MakeFilename(PathFromText(view));
}

VtFilename* Copy(const VtFilename* name) {
  const Filename* source = Live(name);
  if (source == nullptr || HostFaults().ShouldFail(Fault::kFilename)) return nullptr;
  return MakeFilename(source->path);
}

void Free(VtFilename* name) { FreeFilename(name); }

VtText GetText(const VtFilename* name) {
  const Filename* held = Live(name);
  return held == nullptr ? VtText{"", 0} : LendText(held->path);
}

int32_t Append(VtFilename* name, const VtFilename* component) {
  Filename* base = Live(name);
  const Filename* tail = Live(component);
  if (base == nullptr || tail == nullptr) return 0;
  base->path = JoinPath(base->path, tail->path);
  return 1;
}

int32_t OpenWithDefaultApp(const VtFilename* name) {
  const Filename* file = Live(name);
  if (file == nullptr) return 0;
  Journal::Event(HostJournal(), "open-file").Text("path", file->path);
  if (!TheHostOptions().open_files) {
    std::error_code error;
    return std::filesystem::is_regular_file(NativePath(file->path), error) ? 1 : 0;
  }
  return OpenWithSystemViewer(file->path) ? 1 : 0;
}

}  // namespace

std::string PathFromText(std::string_view text) {
  std::string path(text);
  if constexpr (kPathSeparator == '/') std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::filesystem::path NativePath(std::string_view utf8) {
  return std::filesystem::path(
      std::u8string_view(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string Utf8Path(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

std::string JoinPath(std::string_view base, std::string_view component) {
  if (base.empty()) return std::string(component);
  if (component.empty()) return std::string(base);
  // '/' separates on every system, the system's own separator too.
  const auto separates = [](char c) { return c == '/' || c == kPathSeparator; };
  std::string joined(base);
  const bool base_ends = separates(joined.back());
  const bool component_starts = separates(component.front());
  if (base_ends && component_starts) {
    component.remove_prefix(1);
  } else if (!base_ends && !component_starts) {
    joined += kPathSeparator;
  }
  joined += component;
  return joined;
}

VtFilename* MakeFilename(std::string path) {
  return Names().Add(std::make_unique<Filename>(Filename{std::move(path)}));
}

void FreeFilename(const VtFilename* name) { Names().Remove(name); }

const std::string* FilenamePath(const VtFilename* name) {
  const Filename* held = Live(name);
  return held == nullptr ? nullptr : &held->path;
}

std::size_t LiveFilenames() { return Names().size(); }

void FillFileOps(VtFileOps& ops) {
  ops.filename_alloc = Checked<Alloc>;
  ops.filename_copy = Checked<Copy>;
  ops.filename_free = Checked<Free>;
  ops.filename_get_text = Checked<GetText>;
  ops.filename_append = Checked<Append>;
  ops.open_with_default_app = Checked<OpenWithDefaultApp>;
}

}  // namespace standin
