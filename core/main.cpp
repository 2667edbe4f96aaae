// The installer's Windows GUI entry point: only the instance handle is used
// (the command line is read again from the system by the settings).
#include <windows.h>

#include <memory>

#include "core/startup.h"

namespace {

// Until the main window exists, the run has nothing to show.
class EmptyMainWindowStep : public MainWindowStep {
 public:
  void Run(HINSTANCE) override {}
};

std::unique_ptr<MainWindowStep> MakeMainWindow() { return std::make_unique<EmptyMainWindowStep>(); }

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return RunInstaller(instance, &MakeMainWindow); }
