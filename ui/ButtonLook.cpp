#include "ui/ButtonLook.h"

#include "fw/StringFormat.h"
#include "platform/Platform.h"

bool HighContrastOn()
{
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    if (!Plat().display.SystemParameters(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0)) return false;
    return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

ButtonPaint ChooseButtonPaint(bool highContrast, bool emphasized, const DWORD* statusColor, bool disabled)
{
    if (disabled) return {false, true, COLOR_BTNFACE, COLOR_GRAYTEXT, 0, 1};
    if (!highContrast) return {true, false, 0, 0, statusColor ? *statusColor : kCaptionOnFace, 0};
    if (emphasized) return {false, true, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, 0, 3};
    return {false, true, COLOR_BTNFACE, COLOR_BTNTEXT, 0, 1};
}

String16 ComposeName(const AccessibleName& name, const String16& caption)
{
    if (name.format.empty()) return caption;
    if (name.row.empty() && name.profile.empty()) return Format(name.format.c_str(), caption);
    return Format(name.format.c_str(), name.row, name.profile, caption);
}

String16 WithoutMnemonic(const String16& text)
{
    String16 result;
    for (char16_t c : text) {
        result += c;
        if (c == u'&') result += u'&';
    }
    return result;
}
