// Swaps an entry of this program's import table, so a test can watch what the code under test
// asks of a system DLL. Every call of the program's own code goes through that table.
#pragma once

// Puts `replacement` into the slot through which this program calls `dll`'s `name` and returns
// what was there, or nullptr when the program does not import it.
void* PatchImport(const char* dll, const char* name, void* replacement);

template <typename Call>
Call PatchImport(const char* dll, const char* name, Call replacement) {
  return reinterpret_cast<Call>(PatchImport(dll, name, reinterpret_cast<void*>(replacement)));
}
