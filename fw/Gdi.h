// Owners of GDI objects: each deletes its object on every path.
#pragma once

#include "platform/ScopedHandle.h"
#include "platform/WinTypes.h"

template <class GdiHandle>
struct GdiObjectTraits : NullMeansNone {
    using Handle = GdiHandle;
    static void Close(GdiHandle object) { DeleteObject(object); }
};

using ScopedBitmap = ScopedHandle<GdiObjectTraits<HBITMAP>>;
using ScopedFont = ScopedHandle<GdiObjectTraits<HFONT>>;
using ScopedRegion = ScopedHandle<GdiObjectTraits<HRGN>>;

// A memory DC compatible with another, with one bitmap selected into it; the
// old bitmap is selected back and the DC deleted on every path.
class MemoryDC {
public:
    MemoryDC(HDC compatible, HBITMAP bitmap) : m_dc(CreateCompatibleDC(compatible))
    {
        if (m_dc) m_old = SelectObject(m_dc, bitmap);
    }
    ~MemoryDC()
    {
        if (!m_dc) return;
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old = nullptr;
};

// A font of the given size in tenths of a point, as on the screen.
inline HFONT CreatePointFont(int tenthsOfPoint, const char16_t* face)
{
    HDC screen = GetDC(nullptr);
    int pixelsPerInch = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    LOGFONTW font{};
    font.lfHeight = -MulDiv(tenthsOfPoint, pixelsPerInch, 720);
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, reinterpret_cast<const wchar_t*>(face), LF_FACESIZE);
    return CreateFontIndirectW(&font);
}
