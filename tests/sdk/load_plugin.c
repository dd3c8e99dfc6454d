/* Loads a plug-in built against the SDK the way the application's loader
   starts to: dlopen with every symbol bound at once (so the frameworks'
   static constructors run), then the entry symbols, then the one question
   c4d_main answers before the application hands it anything: the plug-in
   API version it was built for.

   load_plugin LIBRARY EXPECTED_PLUGIN_API_VERSION */
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* c4d_main's action code for the version question (the SDK's
   C4DPL_INIT_VERSION). */
enum { init_version = 4 };

typedef int (*entry_point)(int action, void* p1, void* p2, void* p3);

int main(int argc, char** argv)
{
  if (argc != 3) {
    fprintf(stderr, "usage: load_plugin LIBRARY EXPECTED_PLUGIN_API_VERSION\n");
    return 2;
  }
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (library == NULL) {
    fprintf(stderr, "dlopen failed: %s\n", dlerror());
    return 1;
  }
  puts("loaded, static constructors ran");
  void* entry = dlsym(library, "c4d_main");
  void* binary = dlsym(library, "g_maxon");
  if (entry == NULL || binary == NULL) {
    fprintf(stderr, "entry symbols missing: c4d_main %p, g_maxon %p\n", entry, binary);
    return 1;
  }
  /* ISO C has no conversion from object to function pointer; POSIX
     guarantees that this copy makes a callable one. */
  entry_point c4d_main;
  memcpy(&c4d_main, &entry, sizeof c4d_main);
  int version = c4d_main(init_version, NULL, NULL, NULL);
  long expected = strtol(argv[2], NULL, 0);
  printf("c4d_main answers plug-in API version %d\n", version);
  if (version != expected) {
    fprintf(stderr, "expected plug-in API version %ld\n", expected);
    return 1;
  }
  if (dlclose(library) != 0) {
    fprintf(stderr, "dlclose failed: %s\n", dlerror());
    return 1;
  }
  puts("unloaded, static destructors ran");
  return 0;
}
