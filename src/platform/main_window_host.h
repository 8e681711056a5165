#pragma once

// The resident role's hidden main window, as the application object drives it.
class MainWindowHost {
 public:
  virtual ~MainWindowHost() = default;
  enum class Creation {
    kCreated,
    kRefused,  // the window's own creation refused and has told the user why
    kFailed,
  };
  // Creates the hidden main window.
  virtual Creation CreateMainWindow() = 0;
  // Asks the main window to close (WM_CLOSE), as the exit command does.
  virtual void CloseMainWindow() = 0;
};
