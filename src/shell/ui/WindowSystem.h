#pragma once
// What the window system lets the program do with its own windows.

// False on Wayland: there a program may not place its windows nor keep one on
// top, so pictures and dialogs that must sit at a given spot over the main
// window are shown inside it instead.
bool WindowSystemPlacesWindows();
