// Scene files of the N-point mesh: reading one with the host's reader,
// writing one with its writer, and, as their reference, copying the same
// bytes with no parsing or formatting at all. A reader's or writer's time
// against the copy's is what turning text into a scene, or a scene into
// text, costs on top of moving the bytes.
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench_cases.h"
#include "io/scene_reader.h"
#include "io/scene_writer.h"
#include "scene_builders.h"
#include "scratch_folder.h"

namespace vitrel::bench {
namespace {

namespace fs = std::filesystem;

// The N-point mesh as a document of its own, built once per size.
const standin::Document& MeshDocument(int64_t size) {
  static std::unique_ptr<standin::Scene> scene;
  static standin::Document* doc = nullptr;
  static int64_t built = -1;
  if (built != size) {
    built = -1;
    scene = std::make_unique<standin::Scene>();
    doc = &scene->NewDocument();
    BuildQuadMesh(*doc, size);
    built = size;
  }
  return *doc;
}

// The scene file of the N-point mesh, written once per size.
fs::path MeshFile(int64_t size) {
  const fs::path path = ScratchFolder() / ("mesh-" + std::to_string(size) + ".json");
  if (!fs::exists(path)) standin::WriteSceneFile(MeshDocument(size), path.string());
  return path;
}

int64_t FileBytes(const fs::path& path) { return static_cast<int64_t>(fs::file_size(path)); }

// Copies `from` to `to` through one buffer, the new file made durable as the
// scene writer makes its files, so that only parsing and formatting set the
// two apart.
bool CopyBytes(const fs::path& from, const fs::path& to) {
  static std::vector<char> buffer(size_t{1} << 20);
  std::FILE* in = std::fopen(from.c_str(), "rb");
  if (in == nullptr) return false;
  std::FILE* out = std::fopen(to.c_str(), "wb");
  bool copied = out != nullptr;
  while (copied) {
    const size_t got = std::fread(buffer.data(), 1, buffer.size(), in);
    copied = std::fwrite(buffer.data(), 1, got, out) == got;
    if (got < buffer.size()) break;
  }
  copied = copied && !std::ferror(in);
  std::fclose(in);
  if (out == nullptr) return false;
  copied = std::fflush(out) == 0 && copied && fsync(fileno(out)) == 0;
  return std::fclose(out) == 0 && copied;
}

}  // namespace

void ReadScene(benchmark::State& state) {
  const int64_t size = state.range(0);
  try {
    const fs::path path = MeshFile(size);
    for (auto _ : state) {
      auto scene = std::make_unique<standin::Scene>();
      const standin::Document& doc = standin::ReadSceneFile(path.string(), *scene);
      state.PauseTiming();
      const bool whole = doc.first() != nullptr && doc.first()->data.points &&
                         static_cast<int64_t>(doc.first()->data.points->size()) == size;
      scene.reset();
      if (!whole) {
        state.SkipWithError("the scene read back is not the mesh written");
        break;
      }
      state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * size);
    state.SetBytesProcessed(state.iterations() * FileBytes(path));
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}

void WriteScene(benchmark::State& state) {
  const int64_t size = state.range(0);
  try {
    const standin::Document& doc = MeshDocument(size);
    const fs::path path = ScratchFolder() / "written.json";
    for (auto _ : state) standin::WriteSceneFile(doc, path.string());
    state.SetItemsProcessed(state.iterations() * size);
    state.SetBytesProcessed(state.iterations() * FileBytes(path));
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}

void CopyFile(benchmark::State& state) {
  const int64_t size = state.range(0);
  try {
    const fs::path from = MeshFile(size);
    const fs::path to = ScratchFolder() / "copied.json";
    for (auto _ : state) {
      if (!CopyBytes(from, to)) {
        state.SkipWithError(("cannot copy " + from.string() + " to " + to.string()).c_str());
        break;
      }
    }
    state.SetItemsProcessed(state.iterations() * size);
    state.SetBytesProcessed(state.iterations() * FileBytes(from));
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
  }
}

}  // namespace vitrel::bench
