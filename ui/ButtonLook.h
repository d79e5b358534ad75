// How a style button is painted. Normally: its face bitmap with the caption
// in a colour that reads on that face. In high contrast: the system's
// colours instead of the fixed faces, and a frame whose width tells the
// current or pressed button apart without relying on colour.
#pragma once

#include "platform/WinTypes.h"


// The caption colour of the mode buttons, whatever the system's text colour:
// black reads on both faces, the light grey and the turquoise.
inline constexpr DWORD kCaptionOnFace = 0x00000000;

struct ButtonPaint {
    bool face;         // the status's face bitmap fills the button
    bool sysColors;    // background and text are the system colours below
    int background;    // COLOR_ index, with sysColors
    int text;          // COLOR_ index, with sysColors
    DWORD textColor;   // COLORREF, without sysColors
    int frame;         // frame width in pixels; 0 for none
};

// Whether the user has high contrast on (SPI_GETHIGHCONTRAST).
bool HighContrastOn();

// emphasized: the current profile's button, or a button being pressed.
// statusColor: the caption colour of the status, or null for none.
// disabled: the button cannot be used (a level a policy enforces): the
// system's face and grey text with a thin frame, in either mode.
ButtonPaint ChooseButtonPaint(bool highContrast, bool emphasized, const DWORD* statusColor, bool disabled = false);

// What a screen reader says for a button: the caption alone, or the format
// (from the string table) with where the button stands and the caption as
// its arguments ("文字の大きさ 設定① 小", "設定②（現在の設定）").
struct AccessibleName {
    String16 format;
    String16 row;
    String16 profile;
};
String16 ComposeName(const AccessibleName& name, const String16& caption);

// A text as a window text that the dialog manager never reads as a keyboard
// mnemonic: "&" doubled, which screen readers and DrawText show as one "&".
String16 WithoutMnemonic(const String16& text);
