// A console program's entry point: the C runtime's start-up, the module's initialisers, main,
// and exit, which runs the module's static destructors.
#include <corecrt_startup.h>
#include <stdlib.h>

#include "Runtime.h"

int main(int argc, char** argv, char** envp);

namespace {
void __cdecl RunExitTable() { MorrowsetRunExitTable(); }
}  // namespace

extern "C" int mainCRTStartup() {
  // 1. The runtime: console program, narrow arguments and environment.
  MorrowsetInitSecurityCookie();
  _set_app_type(_crt_console_app);
  _configure_narrow_argv(_crt_argv_unexpanded_arguments);
  _initialize_narrow_environment();
  // 2. The module's initialisers; its exit table runs from exit().
  if (!MorrowsetRunInitialisers()) _exit(255);
  _crt_atexit(RunExitTable);
  // 3. main, then exit with its result.
  exit(main(*__p___argc(), *__p___argv(), _get_initial_narrow_environment()));
}
