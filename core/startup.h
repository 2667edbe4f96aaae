#pragma once

// The order in which the installer comes up and goes down, on the UI thread.

#include <windows.h>

#include <memory>

// The main window of the run, built after the command line is applied.
// Destroying it destroys the window and the pipeline it owns (joining their
// worker threads).
class MainWindowStep {
 public:
  virtual ~MainWindowStep() = default;
  // Prepares the UI framework, creates the window and runs it modally; the
  // window's modal loop is the application's message loop.
  virtual void Run(HINSTANCE instance) = 0;
};

using MainWindowFactory = std::unique_ptr<MainWindowStep> (*)();

// Hardens the library search path, installs the crash filter, initialises
// libcurl, takes the single-instance lock, starts tracking, applies the
// command line, runs the main window, and shuts down. Returns the process
// exit code: 0, or -1 when another installer of the product already runs in
// this logon session (nothing shown then).
int RunInstaller(HINSTANCE instance, MainWindowFactory makeMainWindow);
