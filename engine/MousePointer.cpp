// The mouse pointer scheme: stored in the user's "Control Panel\Cursors" so
// it lasts, and loaded into the running logon at once.
#include "engine/SwitchMode.h"

#include "log/RunContext.h"
#include "platform/Text.h"
#include "res/resource.h"
#include "settings/RegControl.h"
#include "settings/SettingModel.h"

namespace {

constexpr char16_t kCursorsKey[] = u"Control Panel\\Cursors";
constexpr char16_t kSystemRoot[] = u"%SystemRoot%";
constexpr int kPointerRows = 15;
constexpr DWORD kNoCursorId = 0;

struct PointerRow {
    const char16_t* valueName;
    DWORD cursorId;               // OCR_ number; 0 for "NWPen", which has none
    const char16_t* files[3];     // by MouseStyle; empty: the standard cursor
};

const PointerRow kPointerTable[kPointerRows] = {
    {u"AppStarting", OCR_APPSTARTING, {u"aero_working.ani", u"aero_working_l.ani", u"aero_working_xl.ani"}},
    {u"Arrow", OCR_NORMAL, {u"aero_arrow.cur", u"aero_arrow_l.cur", u"aero_arrow_xl.cur"}},
    {u"Crosshair", OCR_CROSS, {u"", u"", u""}},
    {u"Hand", OCR_HAND, {u"aero_link.cur", u"aero_link_l.cur", u"aero_link_xl.cur"}},
    {u"Help", OCR_HELP, {u"aero_helpsel.cur", u"aero_helpsel_l.cur", u"aero_helpsel_xl.cur"}},
    {u"IBeam", OCR_IBEAM, {u"", u"", u""}},
    {u"No", OCR_NO, {u"aero_unavail.cur", u"aero_unavail_l.cur", u"aero_unavail_xl.cur"}},
    {u"NWPen", kNoCursorId, {u"aero_pen.cur", u"aero_pen_l.cur", u"aero_pen_xl.cur"}},
    {u"SizeAll", OCR_SIZEALL, {u"aero_move.cur", u"aero_move_l.cur", u"aero_move_xl.cur"}},
    {u"SizeNESW", OCR_SIZENESW, {u"aero_nesw.cur", u"aero_nesw_l.cur", u"aero_nesw_xl.cur"}},
    {u"SizeNS", OCR_SIZENS, {u"aero_ns.cur", u"aero_ns_l.cur", u"aero_ns_xl.cur"}},
    {u"SizeNWSE", OCR_SIZENWSE, {u"aero_nwse.cur", u"aero_nwse_l.cur", u"aero_nwse_xl.cur"}},
    {u"SizeWE", OCR_SIZEWE, {u"aero_ew.cur", u"aero_ew_l.cur", u"aero_ew_xl.cur"}},
    {u"UpArrow", OCR_UP, {u"aero_up.cur", u"aero_up_l.cur", u"aero_up_xl.cur"}},
    {u"Wait", OCR_WAIT, {u"aero_busy.ani", u"aero_busy_l.ani", u"aero_busy_xl.ani"}},
};

// Scheme names by MouseStyle: before Windows 6.2, and from 6.2 on.
const UINT kSchemeNames[3][2] = {
    {IDS_SCHEME_AERO, IDS_SCHEME_STANDARD},
    {IDS_SCHEME_AERO_LARGE, IDS_SCHEME_STANDARD_LARGE},
    {IDS_SCHEME_AERO_EXTRA, IDS_SCHEME_STANDARD_EXTRA},
};

// Signed decimal as _wtoi reads it; no digits give 0.
LONG ParseDecimal(StringView16 text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    bool negative = i < text.size() && text[i] == u'-';
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) ++i;
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (value < 0x100000000LL) value = value * 10 + (text[i] - u'0');
    }
    return static_cast<LONG>(static_cast<std::uint32_t>(negative ? -value : value));
}

String16 ReplaceSystemRoot(String16 text, StringView16 windowsDirectory)
{
    const StringView16 token(kSystemRoot);
    for (size_t pos = text.find(token); pos != String16::npos; pos = text.find(token, pos + windowsDirectory.size())) {
        text.replace(pos, token.size(), windowsDirectory);
    }
    return text;
}

// Hands one pointer to the running logon, at the size of its file. The
// cursor belongs to us until SetSystemCursor takes it over; for an empty text
// that is a copy of the system's cursor, never the shared one.
void LoadPointer(const PointerRow& row, const String16& text, StringView16 windowsDirectory)
{
    ICursors& cursors = Plat().cursors;
    String16 path = ReplaceSystemRoot(text, windowsDirectory);
    HCURSOR cursor = text.empty() ? cursors.CopyStandard(row.cursorId) : cursors.LoadFromFile(path.c_str());
    if (!cursor) return;
    if (!cursors.SetSystemCursor(cursor, row.cursorId)) cursors.DestroyCursor(cursor);
}

// Where the system cannot reload the scheme itself (Wine), the pointers are
// handed over one by one: rows 1 to 15 in order but "NWPen", which lives in
// the registry only.
void LoadPointers(const std::vector<String16>& scheme)
{
    char16_t windowsDirectory[kTextChars] = {};
    UINT length = Plat().cursors.WindowsDirectory(windowsDirectory, kTextChars);
    if (length >= static_cast<UINT>(kTextChars)) length = 0;
    for (int row = 0; row < kPointerRows; ++row) {
        if (kPointerTable[row].cursorId == kNoCursorId) continue;
        LoadPointer(kPointerTable[row], scheme[row], StringView16(windowsDirectory, length));
    }
}

}  // namespace

BOOL CSwitchMode::SetMouseStyle(DWORD mouseStyle)
{
    if (mouseStyle > 2) {
        Log(u"CSwitchMode::SetMouseStyle unknow mouse style.");
        return FALSE;
    }
    CRunContext& run = TheRun();
    const bool signOutWording = run.m_nOsVersion >= OSVER_6_2;
    char16_t schemeName[kTextChars] = {};
    if (!run.LoadResString(kSchemeNames[mouseStyle][signOutWording ? 1 : 0], schemeName, kTextChars)) {
        return FALSE;
    }

    // A stored scheme is taken whole or not at all.
    String16 key = String16(kSettingsKey) + u"\\MousePointer\\" + static_cast<char16_t>(u'0' + mouseStyle);
    std::vector<String16> scheme;
    if (!GetMousePointerFromReg(key.c_str(), &scheme)) {
        for (const PointerRow& row : kPointerTable) {
            const char16_t* file = row.files[mouseStyle];
            scheme.push_back(*file ? String16(u"%SystemRoot%\\cursors\\") + file : String16());
        }
        scheme.push_back(schemeName);
        scheme.push_back(u"2");
    }
    Log(u"CSwitchMode::SetMouseStyle MouseStyle: %s", schemeName);

    // Each value is written on its own; one that fails does not stop the rest.
    for (int row = 0; row < kPointerRows; ++row) {
        RegWriteStr(HKEY_CURRENT_USER, kCursorsKey, kPointerTable[row].valueName, REG_EXPAND_SZ, scheme[row].c_str());
    }
    RegWriteStr(HKEY_CURRENT_USER, kCursorsKey, u"", REG_SZ, scheme[kPointerRows].c_str());
    RegWriteDword(HKEY_CURRENT_USER, kCursorsKey, u"Scheme Source",
                  static_cast<DWORD>(ParseDecimal(scheme[kPointerRows + 1])));

    // As the Mouse control panel does: the system reloads every pointer from
    // the values just written, at its real size, and an empty value is the
    // Windows default.
    IDisplay& display = Plat().display;
    if (display.SystemParameters(SPI_SETCURSORS, 0, nullptr, SPIF_SENDCHANGE)) return TRUE;
    Log(u"CSwitchMode::SetMouseStyle SystemParametersInfo(SPI_SETCURSORS) error, file: %s, line: %d, code: %d.",
        kSwitchModeFile, 780, display.LastError());
    LoadPointers(scheme);
    return TRUE;
}

// The 16 texts and "Scheme Source" of a stored scheme, all or nothing. A text
// must end within its 260 characters.
BOOL CSwitchMode::GetMousePointerFromReg(const char16_t* keyPath, std::vector<String16>* scheme)
{
    std::vector<String16> texts;
    for (int row = 0; row <= kPointerRows; ++row) {
        const char16_t* name = row < kPointerRows ? kPointerTable[row].valueName : u"";
        char16_t buffer[kTextChars] = {};
        if (RegReadStr(HKEY_LOCAL_MACHINE, keyPath, name, buffer, sizeof(buffer)) != ERROR_SUCCESS) return FALSE;
        size_t length = BoundedLength(buffer, kTextChars);
        if (length == static_cast<size_t>(kTextChars)) return FALSE;
        texts.emplace_back(buffer, length);
    }
    DWORD source = 0;
    if (RegReadDword(HKEY_LOCAL_MACHINE, keyPath, u"Scheme Source", &source) != ERROR_SUCCESS) return FALSE;
    texts.push_back(SignedDecimal(source));
    scheme->insert(scheme->end(), texts.begin(), texts.end());
    return TRUE;
}
