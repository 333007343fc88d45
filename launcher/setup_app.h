#pragma once
// The launcher's application object.
#include "platform/win/application.h"

class SetupApp : public winui::Application {
 public:
  void InitInstance() override;
};
