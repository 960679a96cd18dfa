// Test support: RTF pictures in the forms the rich-text control loads, and loading a text into it.
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

// Replaces the control's content by the RTF text.
void loadRichText(HWND richEdit, const std::string& rtf);

}  // namespace t2c
