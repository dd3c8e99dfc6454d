// Helpers for the resource tests: a scratch folder per test that holds a
// plug-in's "res" folder written from text.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace standin::testing {

// A fresh folder below the system's temporary folder, removed at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("vitrel-resources-" + std::string(info->test_suite_name()) + "-" + info->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() { std::filesystem::remove_all(path_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  void Write(const std::filesystem::path& relative, std::string_view text) const {
    std::filesystem::path file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
  }

  // A plug-in folder whose res/ holds these two files.
  void WriteResource(std::string_view dialogs, std::string_view strings) const {
    Write("res/dialogs.res", dialogs);
    Write("res/strings_en/dialogs.str", strings);
  }

 private:
  std::filesystem::path path_;
};

}  // namespace standin::testing
