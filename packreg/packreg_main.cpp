// packreg.exe: the command line as UTF-16, the results and messages as UTF-8 bytes.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "packreg/packreg.h"
#include "platform/win/dll_search.h"
#include "platform/win32_api.h"

int wmain(int argc, wchar_t** argv) {
  // Installers run it elevated from the pack's folder: no DLL is taken from there.
  winui::RestrictDllSearchToSystemFolder();
  // Binary streams pass the UTF-8 bytes through untranslated, whatever the console's code page.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::vector<std::u16string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(FromWin(argv[i]));
  const int exit_code = packreg::RunPackreg(arguments, std::cout, std::cerr);
  std::cout.flush();
  return std::cout ? exit_code : packreg::kOtherFailure;
}
