#pragma once
// The program's one application object: wWinMain constructs it once static initialisation is
// over and calls its start-up hook, which does all of the program's work.

namespace winui {

class Application {
 public:
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;
  virtual ~Application() = default;

  // Runs on the main thread; the program ends when it returns, without a message loop of its own.
  virtual void InitInstance() = 0;

 protected:
  Application() = default;
};

}  // namespace winui
