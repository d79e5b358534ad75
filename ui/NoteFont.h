// The 8-point font of the notes in the main and detail windows.
#pragma once

#include <initializer_list>

#include "fw/Gdi.h"

// Gives the controls the note font (the face of the string table, 8 point),
// kept alive by font; false when the face cannot be loaded, and nothing changes.
bool SetNoteFont(HWND dialog, std::initializer_list<int> controls, ScopedFont* font);
