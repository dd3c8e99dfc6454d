// A tiny plug-in for the loader tests. Compile definitions make its
// variants: TEST_PLUGIN_NAME names its module net.example.NAME,
// TEST_PLUGIN_FIRST_RESULT / TEST_PLUGIN_START_RESULT replace the results of
// actions 1 and 2, TEST_PLUGIN_LAYOUT the table layout it declares,
// TEST_PLUGIN_NO_DECLARATION and TEST_PLUGIN_NO_ENTRY leave the exported
// symbols out; TEST_PLUGIN_MISBEHAVES makes its command break the host's
// rules (a call from a thread of its own, the working folder, locale and
// rounding mode left changed). Every variant registers command 424242. It
// tells what it sees through the host's console, which the host journals.
#include <cstdint>
#include <string>

#ifdef TEST_PLUGIN_MISBEHAVES
#include <cfenv>
#include <clocale>
#include <filesystem>
#include <thread>
#endif

#include "export.h"
#include "vitrel_host_abi.h"

#ifndef TEST_PLUGIN_FIRST_RESULT
#define TEST_PLUGIN_FIRST_RESULT 1
#endif
#ifndef TEST_PLUGIN_START_RESULT
#define TEST_PLUGIN_START_RESULT 1
#endif

#ifndef TEST_PLUGIN_LAYOUT
#define TEST_PLUGIN_LAYOUT VT_ABI_VERSION
#endif

#define TEST_PLUGIN_TEXT(name) #name
#define TEST_PLUGIN_MODULE(name) "net.example." TEST_PLUGIN_TEXT(name)

namespace {

const VtHostTable* g_host = nullptr;

void Say(const std::string& text) {
  g_host->ui->console_write(VtText{text.data(), static_cast<int32_t>(text.size())});
}

int32_t Execute(void*, VtDocument*) {
  Say("execute");
#ifdef TEST_PLUGIN_MISBEHAVES
  std::thread([] { Say("from a thread"); }).join();
#ifndef _WIN32  // Windows' C runtime has no C.UTF-8 locale
  std::setlocale(LC_ALL, "C.UTF-8");
#endif
  std::filesystem::current_path(std::filesystem::current_path().parent_path());
  std::fesetround(FE_DOWNWARD);
#endif
  return 1;
}

int32_t State(void*, VtDocument*) { return 0x40000000; }

void Destroy(void*) { Say("destroy"); }

const VtCommandCallbacks kCallbacks = {sizeof(VtCommandCallbacks), Execute, State, Destroy};

}  // namespace

#ifndef TEST_PLUGIN_NO_DECLARATION
const char* const kFrameworks[] = {"net.example.core.framework", "net.example.ui.framework"};
VT_EXPORT const VtModuleDeclaration vt_module_declaration = {
    TEST_PLUGIN_LAYOUT, TEST_PLUGIN_MODULE(TEST_PLUGIN_NAME), 2, kFrameworks};
#endif

#ifndef TEST_PLUGIN_NO_ENTRY
VT_EXPORT int32_t c4d_main(int32_t action, void* p1, void* p2, void* p3) {
  (void)p2;
  switch (action) {
    case VT_ACTION_INIT: {
      g_host = static_cast<const VtHostTable*>(p1);
      const VtText folder = g_host->files->filename_get_text(static_cast<const VtFilename*>(p3));
      Say("folder " + std::string(folder.data, static_cast<std::size_t>(folder.length)));
      return TEST_PLUGIN_FIRST_RESULT;
    }
    case VT_ACTION_START: {
      const char name[] = "Probe";
      const char help[] = "Checks the host";
      if (g_host->plugins->register_command(424242, VtText{name, 5}, 0, nullptr, VtText{help, 15},
                                            &kCallbacks, nullptr) == 0) {
        Say("register refused");
      }
      return TEST_PLUGIN_START_RESULT;
    }
    case VT_ACTION_END:
      Say("end");
      return 1;
    case VT_ACTION_MESSAGE:
      return reinterpret_cast<intptr_t>(p1) == 1 ? 1 : -1;
    default:
      return -1;
  }
}
#endif
