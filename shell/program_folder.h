// Files that ship beside the program are found through the program's own path, never through
// the current folder, which at sign-in is the system folder.
#pragma once

#include <windows.h>

#include <string>

// Full path of the running program.
std::wstring ProgramPath();
// Full path of a file in the program's folder.
std::wstring ProgramFolderFile(const wchar_t* file_name);
// Opens the read-me file beside the program through the shell.
void OpenReadme(HWND owner);
