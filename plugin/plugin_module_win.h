// The plug-in library's own module: its instance handle, one-time initialisation and resources.
#pragma once

#include <windows.h>

#include <string>

namespace t2c {

// The DLL's instance handle, kept from DllMain; every resource is loaded with it. A program that
// links the plug-in's code itself gets its own module.
HINSTANCE pluginInstance();
void setPluginInstance(HINSTANCE instance);

// Initialises OLE for the calling thread and the rich edit library, once, outside the loader
// lock: every export calls it first.
void ensureModuleInitialised();

// A string of the plug-in's string table; empty when it is missing.
std::string loadString(UINT id);

// A message box with the plug-in's name as caption.
int showMessage(HWND owner, const std::string& text, UINT flags);

}  // namespace t2c
