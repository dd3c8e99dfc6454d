#include "write_scene_command.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "io/scene_writer.h"
#include "scene/document.h"
#include "scene_builders.h"

namespace vitrel::bench {
namespace {

// More than any case builds, and little enough that the scene fits in memory.
constexpr int64_t kMaxObjectsOrPoints = 50'000'000;

int Fail(const std::string& message) {
  std::fprintf(stderr, "vitrel-bench: %s\n", message.c_str());
  return 2;
}

}  // namespace

int WriteSceneCommand(int argc, char** argv) {
  if (argc != 3) return Fail("--write-scene takes KIND N FILE (KIND: mesh, group, chain, rig)");
  const std::string_view kind = argv[0];
  const std::optional<SceneBuilder> build = BuilderForKind(kind);
  if (!build) return Fail("unknown scene kind \"" + std::string(kind) + "\" (mesh, group, chain, rig)");
  const std::string_view count = argv[1];
  int64_t size = 0;
  const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), size);
  if (error != std::errc() || end != count.data() + count.size() || size < 1 || size > kMaxObjectsOrPoints) {
    return Fail("N must be a whole number from 1 to " + std::to_string(kMaxObjectsOrPoints) + ", not \"" +
                std::string(count) + "\"");
  }
  try {
    standin::Scene scene;
    standin::Document& doc = scene.NewDocument();
    (*build)(doc, size);
    standin::WriteSceneFile(doc, argv[2]);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "vitrel-bench: %s\n", failure.what());
    return 1;
  }
  return 0;
}

}  // namespace vitrel::bench
