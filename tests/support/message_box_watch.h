// Watches the message boxes that this thread opens, records them and presses their first button,
// so code that tells the user something can run inside a test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct SeenMessageBox {
  std::wstring title;
  std::wstring text;
  HWND owner;
  bool error_icon;
  bool information_icon;
};

class MessageBoxWatch {
 public:
  MessageBoxWatch();
  ~MessageBoxWatch();
  MessageBoxWatch(const MessageBoxWatch&) = delete;
  MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;

  const std::vector<SeenMessageBox>& seen() const;
};
