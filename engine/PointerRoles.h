// The roles of a pointer scheme: the values of "Control Panel\Cursors", the
// system cursor each one is, Windows' own files for the three sizes, from
// which Windows a role exists, and whether a stored scheme of the factory
// data holds it. The one list of them, for the engine and its tests.
#pragma once

#include "platform/WinTypes.h"

struct PointerRole {
    const char16_t* valueName;
    DWORD cursorId;               // OCR_ number; kNoCursorId for "NWPen", which has none
    const char16_t* files[3];     // by MouseStyle, in %SystemRoot%\cursors; empty: the Windows default
    bool sinceWindows10;          // only Windows 10 and later have the role
    bool stored;                  // a stored scheme holds it (its documented 15 pointers)
};

inline constexpr DWORD kNoCursorId = 0;

inline constexpr PointerRole kPointerRoles[] = {
    {u"AppStarting", OCR_APPSTARTING, {u"aero_working.ani", u"aero_working_l.ani", u"aero_working_xl.ani"}, false, true},
    {u"Arrow", OCR_NORMAL, {u"aero_arrow.cur", u"aero_arrow_l.cur", u"aero_arrow_xl.cur"}, false, true},
    {u"Crosshair", OCR_CROSS, {u"", u"", u""}, false, true},
    {u"Hand", OCR_HAND, {u"aero_link.cur", u"aero_link_l.cur", u"aero_link_xl.cur"}, false, true},
    {u"Help", OCR_HELP, {u"aero_helpsel.cur", u"aero_helpsel_l.cur", u"aero_helpsel_xl.cur"}, false, true},
    {u"IBeam", OCR_IBEAM, {u"", u"", u""}, false, true},
    {u"No", OCR_NO, {u"aero_unavail.cur", u"aero_unavail_l.cur", u"aero_unavail_xl.cur"}, false, true},
    {u"NWPen", kNoCursorId, {u"aero_pen.cur", u"aero_pen_l.cur", u"aero_pen_xl.cur"}, false, true},
    {u"SizeAll", OCR_SIZEALL, {u"aero_move.cur", u"aero_move_l.cur", u"aero_move_xl.cur"}, false, true},
    {u"SizeNESW", OCR_SIZENESW, {u"aero_nesw.cur", u"aero_nesw_l.cur", u"aero_nesw_xl.cur"}, false, true},
    {u"SizeNS", OCR_SIZENS, {u"aero_ns.cur", u"aero_ns_l.cur", u"aero_ns_xl.cur"}, false, true},
    {u"SizeNWSE", OCR_SIZENWSE, {u"aero_nwse.cur", u"aero_nwse_l.cur", u"aero_nwse_xl.cur"}, false, true},
    {u"SizeWE", OCR_SIZEWE, {u"aero_ew.cur", u"aero_ew_l.cur", u"aero_ew_xl.cur"}, false, true},
    {u"UpArrow", OCR_UP, {u"aero_up.cur", u"aero_up_l.cur", u"aero_up_xl.cur"}, false, true},
    {u"Wait", OCR_WAIT, {u"aero_busy.ani", u"aero_busy_l.ani", u"aero_busy_xl.ani"}, false, true},
    {u"Pin", OCR_PIN, {u"aero_pin.cur", u"aero_pin_l.cur", u"aero_pin_xl.cur"}, true, false},
    {u"Person", OCR_PERSON, {u"aero_person.cur", u"aero_person_l.cur", u"aero_person_xl.cur"}, true, false},
};

inline constexpr int kPointerRoleCount = static_cast<int>(sizeof(kPointerRoles) / sizeof(kPointerRoles[0]));

// The running Windows has the role: every one but Windows 10's own before it.
bool RoleApplies(const PointerRole& role);

// How many pointer values a stored scheme holds (before its default value
// and "Scheme Source").
constexpr int CountStoredPointers()
{
    int count = 0;
    for (const PointerRole& role : kPointerRoles) count += role.stored ? 1 : 0;
    return count;
}
inline constexpr int kStoredPointers = CountStoredPointers();
