#include "tests/support/registry_guard.h"

namespace {

constexpr const wchar_t* kBackupParent = L"Software\\VelomirTestBackup";
constexpr const wchar_t* kBackupRoot = L"Software\\VelomirTestBackup\\";

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

void CopyTree(HKEY from_root, const std::wstring& from, HKEY to_root, const std::wstring& to) {
  HKEY source;
  HKEY target;
  RegOpenKeyExW(from_root, from.c_str(), 0, KEY_READ, &source);
  RegCreateKeyExW(to_root, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr);
  RegCopyTreeW(source, nullptr, target);
  RegCloseKey(target);
  RegCloseKey(source);
}

}  // namespace

RegistryKeyGuard::RegistryKeyGuard(HKEY root, std::wstring path)
    : root_(root), path_(std::move(path)), existed_(KeyExists(root_, path_)) {
  static int next_backup = 0;
  backup_path_ =
      kBackupRoot + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(next_backup++);
  if (existed_) {
    CopyTree(root_, path_, HKEY_CURRENT_USER, backup_path_);
  }
}

RegistryKeyGuard::~RegistryKeyGuard() {
  RegDeleteTreeW(root_, path_.c_str());
  RegDeleteKeyW(root_, path_.c_str());
  if (existed_) {
    CopyTree(HKEY_CURRENT_USER, backup_path_, root_, path_);
    RegDeleteTreeW(HKEY_CURRENT_USER, backup_path_.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, backup_path_.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, kBackupParent);  // goes only once no other backup is left
  }
}

RegistryValueGuard::RegistryValueGuard(HKEY root, std::wstring path, std::wstring name)
    : root_(root), path_(std::move(path)), name_(std::move(name)), existed_(false), type_(0) {
  HKEY key;
  if (RegOpenKeyExW(root_, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return;
  }
  // Byte for byte as stored: RegQueryValueExW adds no terminator and expands nothing.
  DWORD size = 0;
  if (RegQueryValueExW(key, name_.c_str(), nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
    data_.resize(size);
    existed_ =
        RegQueryValueExW(key, name_.c_str(), nullptr, &type_, data_.data(), &size) == ERROR_SUCCESS;
    data_.resize(size);
  }
  RegCloseKey(key);
}

RegistryValueGuard::~RegistryValueGuard() {
  HKEY key;
  if (RegCreateKeyExW(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  if (existed_) {
    RegSetValueExW(key, name_.c_str(), 0, type_, data_.data(), static_cast<DWORD>(data_.size()));
  } else {
    RegDeleteValueW(key, name_.c_str());
  }
  RegCloseKey(key);
}
