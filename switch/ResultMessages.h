// Message boxes with the tool's title as caption.
#pragma once

#include "platform/WinTypes.h"

// Text from the string table; 0 without a box when a text cannot be loaded.
int ShowMessage(HWND owner, UINT id, UINT type);
// The given text; 0 without a box when the caption cannot be loaded.
int ShowMessageText(HWND owner, const String16& text, UINT type);
