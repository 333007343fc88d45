// A DLL of our own that the DLL-search test places beside its executable, as a planted DLL would
// sit beside the launcher in a download folder.
extern "C" __declspec(dllexport) int PlantedProbe() {
  return 42;
}
