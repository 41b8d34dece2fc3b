// The face and overlay pictures: which module holds them and how they become GDI+ bitmaps.
#pragma once

#include <windows.h>

#include "shell/clock_state.h"

// Face picture id for each scale (0 "50%", 1 "65%", 2 "80%", 3 "100%"); the overlay's id is the
// face's plus one. Any scale outside 0..3 uses the 65% pictures, like scale 1.
extern const WORD FACE_SCALE_IDS[4];
WORD FaceIdForScale(int scale);

// Loads the module that holds the pictures into state.resource_module. Returns false when the
// set-up must stop; the user has then been told and the window is already destroyed.
bool LoadResourceModule(ClockState& state);

// Replaces state.face_image and state.overlay_image with the pair for state.scale. Returns false
// when either is missing; the user has then been told and the window is already destroyed.
bool LoadFaceImages(ClockState& state);

// Releases the face, then the overlay; either may be missing.
void ReleaseFaceImages(ClockState& state);

// One "PNGFILE" resource as a fully decoded bitmap, or nullptr.
Gdiplus::Bitmap* LoadPngResource(HMODULE module, HRSRC resource);

// Width of the loaded face, which is also the side of the square window.
UINT FaceWidth(const ClockState& state);
