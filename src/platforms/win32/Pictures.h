#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "ports/Files.h"

namespace rp::win32 {

class ComApartment;

// A picture file read with the Windows Imaging Component, as the Files port describes it.
PictureRead DecodePicture(ComApartment& com, std::string_view path, int fitSide);

// A picture file as one control shows it: decoded once for its size and background, not at
// every paint (the pacer's frames repaint the window 30 times a second).
struct PictureCache {
  std::string path;
  int side = 0;
  COLORREF back = 0;
  PictureRead read;  // its pixels laid over the background, opaque
};

// Draws the picture centred in `rect`, scaled to fit with its shape kept; nothing when it
// cannot be read.
void PaintPicture(HDC dc, ComApartment& com, PictureCache& cache, std::string_view path, RECT rect, COLORREF back);

}  // namespace rp::win32
