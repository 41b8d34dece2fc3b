#include "tests/ui/dialog_template.h"

#include <cstring>

namespace {

// Walks the template's bytes; every read past the end leaves `ok` false and yields zeros, so a
// short resource shows as an incomplete template instead of a crash.
class Reader {
 public:
  Reader(const BYTE* data, DWORD size) : data_(data), size_(size) {}

  template <typename T>
  T Take() {
    T value{};
    if (offset_ + sizeof(T) > size_) {
      ok_ = false;
      offset_ = size_;
      return value;
    }
    std::memcpy(&value, data_ + offset_, sizeof(T));
    offset_ += sizeof(T);
    return value;
  }

  std::wstring TakeString() {
    std::wstring text;
    for (WCHAR unit = Take<WCHAR>(); ok_ && unit != 0; unit = Take<WCHAR>()) {
      text += unit;
    }
    return text;
  }

  TemplateName TakeName() {
    TemplateName name;
    const WORD first = Take<WORD>();
    if (first == 0xFFFF) {
      name.is_ordinal = true;
      name.ordinal = Take<WORD>();
      return name;
    }
    if (first != 0) {
      name.text += static_cast<WCHAR>(first);
      name.text += TakeString();
    }
    return name;
  }

  // Each item of a template starts on a DWORD boundary.
  void AlignToDword() {
    offset_ = (offset_ + 3) & ~static_cast<DWORD>(3);
  }
  void Skip(DWORD count) {
    offset_ = offset_ + count > size_ ? size_ : offset_ + count;
  }
  bool ok() const {
    return ok_;
  }

 private:
  const BYTE* data_;
  DWORD size_;
  DWORD offset_ = 0;
  bool ok_ = true;
};

TemplateItem ReadItem(Reader& reader) {
  reader.AlignToDword();
  TemplateItem item{};
  item.help_id = reader.Take<DWORD>();
  item.ex_style = reader.Take<DWORD>();
  item.style = reader.Take<DWORD>();
  item.x = reader.Take<short>();
  item.y = reader.Take<short>();
  item.cx = reader.Take<short>();
  item.cy = reader.Take<short>();
  item.id = reader.Take<DWORD>();
  item.window_class = reader.TakeName();
  item.title = reader.TakeName();
  item.creation_data_size = reader.Take<WORD>();
  reader.Skip(item.creation_data_size);
  return item;
}

}  // namespace

DialogTemplate ReadDialogTemplate(int id) {
  DialogTemplate dialog{};
  HMODULE self = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(id), RT_DIALOG);
  if (!found) {
    return dialog;
  }
  Reader reader(static_cast<const BYTE*>(LockResource(LoadResource(self, found))),
                SizeofResource(self, found));
  dialog.version = reader.Take<WORD>();
  dialog.signature = reader.Take<WORD>();
  dialog.help_id = reader.Take<DWORD>();
  dialog.ex_style = reader.Take<DWORD>();
  dialog.style = reader.Take<DWORD>();
  const WORD count = reader.Take<WORD>();
  dialog.x = reader.Take<short>();
  dialog.y = reader.Take<short>();
  dialog.cx = reader.Take<short>();
  dialog.cy = reader.Take<short>();
  dialog.menu = reader.TakeName();
  dialog.window_class = reader.TakeName();
  dialog.title = reader.TakeString();
  if (dialog.style & DS_SETFONT) {
    dialog.point_size = reader.Take<WORD>();
    dialog.weight = reader.Take<WORD>();
    dialog.italic = reader.Take<BYTE>();
    dialog.charset = reader.Take<BYTE>();
    dialog.typeface = reader.TakeString();
  }
  for (WORD i = 0; i < count && reader.ok(); ++i) {
    dialog.items.push_back(ReadItem(reader));
  }
  dialog.complete = reader.ok();
  return dialog;
}
