// A dialog template of this program read back from the raw bytes of the resource, so a test sees
// exactly what the dialog manager is given.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A name or an ordinal of a template: a class, a text, a menu. An ordinal is 0xFFFF followed by a
// number in the raw form; a name is a null-terminated string.
struct TemplateName {
  bool is_ordinal = false;
  WORD ordinal = 0;
  std::wstring text;
};

struct TemplateItem {
  DWORD help_id;
  DWORD ex_style;
  DWORD style;
  short x, y, cx, cy;
  DWORD id;
  TemplateName window_class;
  TemplateName title;
  WORD creation_data_size;
};

struct DialogTemplate {
  WORD version;
  WORD signature;
  DWORD help_id;
  DWORD ex_style;
  DWORD style;
  short x, y, cx, cy;
  TemplateName menu;
  TemplateName window_class;
  std::wstring title;
  WORD point_size;
  WORD weight;
  BYTE italic;
  BYTE charset;
  std::wstring typeface;
  std::vector<TemplateItem> items;
  // False when the bytes end before the template does.
  bool complete;
};

// The extended (DIALOGEX) template `id` from this program's own resources.
DialogTemplate ReadDialogTemplate(int id);
