// Puts a registry key, or one value, back exactly as it was when the guard was made.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class RegistryKeyGuard {
 public:
  RegistryKeyGuard(HKEY root, std::wstring path);
  ~RegistryKeyGuard();
  RegistryKeyGuard(const RegistryKeyGuard&) = delete;
  RegistryKeyGuard& operator=(const RegistryKeyGuard&) = delete;

 private:
  HKEY root_;
  std::wstring path_;
  std::wstring backup_path_;
  bool existed_;
};

class RegistryValueGuard {
 public:
  RegistryValueGuard(HKEY root, std::wstring path, std::wstring name);
  ~RegistryValueGuard();
  RegistryValueGuard(const RegistryValueGuard&) = delete;
  RegistryValueGuard& operator=(const RegistryValueGuard&) = delete;

 private:
  HKEY root_;
  std::wstring path_;
  std::wstring name_;
  bool existed_;
  DWORD type_;
  std::vector<BYTE> data_;
};

// The settings key of the clock and its value in the Run key.
constexpr const wchar_t* kSettingsKeyPath = L"Software\\Tavrix\\Velomir";
constexpr const wchar_t* kRunKeyPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
