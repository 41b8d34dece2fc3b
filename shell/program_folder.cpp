#include "shell/program_folder.h"

#include <shellapi.h>

std::wstring ProgramPath() {
  // Paths may be longer than MAX_PATH; grow until the whole path fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring ProgramFolderFile(const wchar_t* file_name) {
  std::wstring path = ProgramPath();
  path.erase(path.find_last_of(L"\\/") + 1);
  return path + file_name;
}

void OpenReadme(HWND owner) {
  const std::wstring readme = ProgramFolderFile(L"readme.txt");
  ShellExecuteW(owner, L"open", readme.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
