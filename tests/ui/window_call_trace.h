// Records what this program's own code asks of one window: each new place and size, each frame
// handed to it as a layered window, and each move into or out of the topmost layer. It patches this
// program's import table while it lives, so every such call of the code under test passes through
// it; calls made inside the system (the dialog manager's own) do not.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class WindowCallTrace {
 public:
  explicit WindowCallTrace(HWND watched);
  ~WindowCallTrace();
  WindowCallTrace(const WindowCallTrace&) = delete;
  WindowCallTrace& operator=(const WindowCallTrace&) = delete;

  // In order: "place 100,120 166x166" (SetWindowPlacement, normal position and size), "frame 166"
  // (UpdateLayeredWindow with that side), "topmost" and "not topmost" (SetWindowPos into a layer,
  // not moved or sized), "other SetWindowPos".
  const std::vector<std::string>& calls() const;
};
