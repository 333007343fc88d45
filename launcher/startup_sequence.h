#pragma once
// The launcher's start-up: refuse to run twice or beside the installer or uninstaller, own the
// launcher's mutex, run the window, clean up. Written over the platform operations it needs, so
// that every way out of it can be run with a substitute.
#include "platform/win32_api.h"

struct MutexOpenResult {
  HANDLE handle;  // null on failure
  DWORD error;    // the failure's error code
};

class StartupPlatform {
 public:
  virtual ~StartupPlatform() = default;
  // Opens an existing named mutex with full access.
  virtual MutexOpenResult OpenNamedMutex(const char16_t* name) = 0;
  // Creates the named mutex, or opens it when it exists, without owning it. Null on failure.
  virtual HANDLE CreateNamedMutex(const char16_t* name) = 0;
  // Returns once the thread owns the mutex; an abandoned mutex counts as free.
  virtual void WaitForOwnership(HANDLE mutex) = 0;
  virtual void ReleaseOwnership(HANDLE mutex) = 0;
  virtual void CloseMutex(HANDLE mutex) = 0;
  // The related-program message; returns when the user has closed it, however.
  virtual void ShowRelatedProgramMessage() = 0;
  // Ends the process at once (on Windows it does not return).
  virtual void EndProcess(UINT exit_code) = 0;
  virtual void PrepareCommonControls() = 0;
  // Runs the launcher window modally; returns only when it ends without cancel.
  virtual void RunLauncherWindow() = 0;
};

// Owns one mutex handle: releasing gives up ownership and closes it.
class MutexHolder {
 public:
  explicit MutexHolder(StartupPlatform& platform, HANDLE mutex = nullptr)
      : platform_(platform), mutex_(mutex) {}
  MutexHolder(const MutexHolder&) = delete;
  MutexHolder& operator=(const MutexHolder&) = delete;
  ~MutexHolder() { Release(); }

  HANDLE Get() const { return mutex_; }
  // Releases what it holds, then holds `mutex`.
  void Adopt(HANDLE mutex);
  // Holds none afterwards, in every case.
  void Release();

 private:
  StartupPlatform& platform_;
  HANDLE mutex_;
};

// Whether the named program runs. A mutex that exists but refuses full access counts as running:
// the installer runs elevated, and its mutex then denies a launcher without elevation.
bool ProgramRunning(StartupPlatform& platform, const char16_t* mutex_name, MutexHolder& opened);

// The whole start-up of the launcher, in its fixed order; every exit it takes itself has code 0.
void RunStartupSequence(StartupPlatform& platform);
