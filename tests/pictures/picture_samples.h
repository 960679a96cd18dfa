// Test support: RTF pictures in the forms the rich-text control loads.
#pragma once

#include <windows.h>

#include <string>

namespace t2c {

// A one-colour device-independent bitmap shown at the given size in twips (15 to a pixel).
std::string dibPicture(COLORREF colour, int widthTwips, int heightTwips);

// An enhanced metafile that fills the left half of its frame with red and leaves the rest empty.
std::string emfLeftHalfPicture(int widthTwips, int heightTwips);

// A small PNG picture, the form pasted screenshots take.
std::string pngPicture();

}  // namespace t2c
