#pragma once

// The resident role's hidden main window, as the application object drives it.
class MainWindowHost {
 public:
  virtual ~MainWindowHost() = default;
  // Creates the hidden main window; false when it could not be created.
  virtual bool CreateMainWindow() = 0;
  // Asks the main window to close (WM_CLOSE), as the exit command does.
  virtual void CloseMainWindow() = 0;
};
