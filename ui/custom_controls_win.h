// The main window's two custom controls: the "Log" heading and the option buttons whose caption
// turns bold while they are checked.
#pragma once

#include <windows.h>

namespace t2c {

// Draws the static control as a bold heading followed by an etched line to its right edge, in
// the grey-text colour while it is disabled.
void makeHeaderLabel(HWND label);

// Gives the button the bold caption font while it is checked and the regular one otherwise,
// following every change of its check mark.
void makeOptionButton(HWND button);

}  // namespace t2c
