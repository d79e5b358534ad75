// Owners of GDI objects: each deletes its object on every path.
#pragma once

#include "platform/WinTypes.h"

template <class Handle>
class ScopedGdiObject {
public:
    ScopedGdiObject() = default;
    explicit ScopedGdiObject(Handle handle) : m_handle(handle) {}
    ~ScopedGdiObject() { Reset(); }
    ScopedGdiObject(ScopedGdiObject&& other) noexcept : m_handle(other.m_handle) { other.m_handle = nullptr; }
    ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_handle = other.m_handle;
            other.m_handle = nullptr;
        }
        return *this;
    }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;

    void Reset(Handle handle = nullptr)
    {
        if (m_handle) DeleteObject(m_handle);
        m_handle = handle;
    }
    Handle Get() const { return m_handle; }

private:
    Handle m_handle = nullptr;
};

using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedFont = ScopedGdiObject<HFONT>;

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
