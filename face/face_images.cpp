#include "face/face_images.h"

#include <gdiplus.h>
#include <objidl.h>

#include <cstring>
#include <string>

#include "resources/resource_ids.h"
#include "shell/program_folder.h"

// The ids do not rise with the size: 5000, the default 65% face, came first.
const WORD FACE_SCALE_IDS[4] = {IDP_FACE_50, IDP_FACE_65, IDP_FACE_80, IDP_FACE_100};

WORD FaceIdForScale(int scale) {
  // The stored setting is taken as it comes, so any value is possible here.
  if (scale < 0 || scale > 3) {
    return IDP_FACE_65;
  }
  return FACE_SCALE_IDS[scale];
}

namespace {

// Mapped for its resources only: none of the module's code runs, whatever it holds.
constexpr DWORD kResourcesOnly = LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;

// Windows Vista and later carry the pictures in their date-and-time control panel, taken from
// the system folder by its full path so no other timedate.cpl can stand in for it.
HMODULE LoadSystemPictureModule() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return nullptr;
  }
  const std::wstring path = std::wstring(folder) + L"\\timedate.cpl";
  return LoadLibraryExW(path.c_str(), nullptr, kResourcesOnly);
}

// Older systems take the companion library from the program's own folder. The image-resource
// flag arrived with Vista and older loaders refuse flags they do not know; a data file runs no
// code either.
HMODULE LoadCompanionLibrary() {
  const std::wstring path = ProgramFolderFile(L"zentoria.dll");
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

// Copies every pixel of `source` into a new bitmap that owns its memory. Reading them all here
// also finishes the decoding, so nothing is left to read from the source's stream later.
Gdiplus::Bitmap* CopyPixels(Gdiplus::Bitmap& source) {
  const UINT width = source.GetWidth();
  const UINT height = source.GetHeight();
  Gdiplus::Bitmap* copy = new Gdiplus::Bitmap(width, height, PixelFormat32bppARGB);
  Gdiplus::Rect area(0, 0, width, height);
  Gdiplus::BitmapData from;
  Gdiplus::BitmapData to;
  if (copy->GetLastStatus() != Gdiplus::Ok ||
      source.LockBits(&area, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &from) !=
          Gdiplus::Ok) {
    delete copy;
    return nullptr;
  }
  if (copy->LockBits(&area, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &to) !=
      Gdiplus::Ok) {
    source.UnlockBits(&from);
    delete copy;
    return nullptr;
  }
  // Strides are signed: a bottom-up picture walks its rows backwards.
  for (INT row = 0; row < static_cast<INT>(height); ++row) {
    std::memcpy(static_cast<BYTE*>(to.Scan0) + row * to.Stride,
                static_cast<const BYTE*>(from.Scan0) + row * from.Stride, width * 4);
  }
  copy->UnlockBits(&to);
  source.UnlockBits(&from);
  return copy;
}

// GDI+ may go back to a picture's stream for as long as that picture lives, so the picture read
// from the stream is copied and dropped before the caller frees the memory under the stream.
Gdiplus::Bitmap* DecodePng(HGLOBAL memory) {
  IStream* stream = nullptr;
  if (CreateStreamOnHGlobal(memory, FALSE, &stream) != S_OK) {
    return nullptr;
  }
  Gdiplus::Bitmap* decoded = new Gdiplus::Bitmap(stream);
  stream->Release();
  Gdiplus::Bitmap* picture = nullptr;
  if (decoded->GetLastStatus() == Gdiplus::Ok) {
    picture = CopyPixels(*decoded);
  }
  delete decoded;
  return picture;
}

Gdiplus::Bitmap* LoadPicture(HMODULE module, WORD id) {
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), L"PNGFILE");
  return resource ? LoadPngResource(module, resource) : nullptr;
}

}  // namespace

bool LoadResourceModule(ClockState& state) {
  // The low byte of the version is the system's major version: 6 is Vista.
  if (LOBYTE(GetVersion()) > 5) {
    // A missing control panel is told by LoadFaceImages, which then finds no pictures.
    state.resource_module = LoadSystemPictureModule();
    return true;
  }
  state.resource_module = LoadCompanionLibrary();
  if (state.resource_module) {
    return true;
  }
  MessageBoxW(state.hwnd, L"Additional file needed to run this program. See more in read me file",
              state.caption, MB_ICONINFORMATION);
  OpenReadme(state.hwnd);
  DestroyWindow(state.hwnd);
  return false;
}

bool LoadFaceImages(ClockState& state) {
  // The old pair goes first, so a change of size never holds two pairs at once.
  ReleaseFaceImages(state);

  const WORD face_id = FaceIdForScale(state.scale);
  state.face_image = LoadPicture(state.resource_module, face_id);
  state.overlay_image = LoadPicture(state.resource_module, face_id + 1);
  if (state.face_image && state.overlay_image) {
    return true;
  }
  // A picture that did load stays: the tear-down that DestroyWindow runs releases it.
  MessageBoxW(state.hwnd, L"Error load image files.", state.caption, MB_ICONERROR);
  DestroyWindow(state.hwnd);
  return false;
}

Gdiplus::Bitmap* LoadPngResource(HMODULE module, HRSRC resource) {
  const DWORD size = SizeofResource(module, resource);
  if (size == 0) {
    return nullptr;
  }
  HGLOBAL loaded = LoadResource(module, resource);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) {
    return nullptr;
  }
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) {
    return nullptr;
  }
  void* copy = GlobalLock(memory);
  if (!copy) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(copy, bytes, size);
  Gdiplus::Bitmap* picture = DecodePng(memory);
  GlobalUnlock(memory);
  GlobalFree(memory);
  return picture;
}

void ReleaseFaceImages(ClockState& state) {
  delete state.face_image;
  state.face_image = nullptr;
  delete state.overlay_image;
  state.overlay_image = nullptr;
}

UINT FaceWidth(const ClockState& state) {
  return state.face_image->GetWidth();
}
