// The mouse pointer scheme: stored in the user's "Control Panel\Cursors" so
// it lasts, and loaded into the running logon at once.
#include "engine/SwitchMode.h"

#include <cstring>

#include "engine/PointerRoles.h"

#include "log/RunContext.h"
#include "platform/Text.h"
#include "res/resource.h"
#include "settings/RegControl.h"
#include "settings/SettingModel.h"

namespace {

constexpr char16_t kCursorsKey[] = u"Control Panel\\Cursors";
constexpr char16_t kSystemRoot[] = u"%SystemRoot%";

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

// One text a role, in the order of kPointerRoles, then the scheme's name
// and "Scheme Source" as text.
struct Scheme {
    String16 pointers[kPointerRoleCount];
    String16 name;
    String16 source;
    String16 styleName;  // the string table's name of the style, for the log
};

String16 BuiltInFile(const PointerRole& role, DWORD mouseStyle)
{
    const char16_t* file = role.files[mouseStyle];
    return *file ? String16(u"%SystemRoot%\\cursors\\") + file : String16();
}

// A stored scheme gives the roles it holds; the others (Windows 10's pin and
// person) take Windows' own file of the same size, so that no role is left
// at another size.
Scheme MakeScheme(const std::vector<String16>* stored, DWORD mouseStyle, const char16_t* schemeName)
{
    Scheme scheme;
    size_t next = 0;
    for (int i = 0; i < kPointerRoleCount; ++i) {
        const PointerRole& role = kPointerRoles[i];
        scheme.pointers[i] = stored && role.stored ? (*stored)[next++] : BuiltInFile(role, mouseStyle);
    }
    scheme.name = stored ? (*stored)[kStoredPointers] : String16(schemeName);
    scheme.source = stored ? (*stored)[kStoredPointers + 1] : String16(u"2");
    return scheme;
}

// Hands one pointer to the running logon, at the size of its file. The
// cursor belongs to us until SetSystemCursor takes it over. An empty text
// (Crosshair and IBeam, which Windows' own schemes leave empty too) gets a
// copy of the system's shared image of the role, the one LoadCursorW gives:
// this path runs only where SPI_SETCURSORS fails (Wine), and that image is
// the best one at hand.
void LoadPointer(const PointerRole& role, const String16& text, StringView16 windowsDirectory)
{
    ICursors& cursors = Plat().cursors;
    String16 path = ReplaceSystemRoot(text, windowsDirectory);
    HCURSOR cursor = text.empty() ? cursors.CopyShared(role.cursorId) : cursors.LoadFromFile(path.c_str());
    if (!cursor) return;
    if (!cursors.SetSystemCursor(cursor, role.cursorId)) cursors.DestroyCursor(cursor);
}

// Where the system cannot reload the scheme itself (Wine), the pointers are
// handed over one by one, in the order of the roles, but "NWPen", which
// lives in the registry only.
void LoadPointers(const Scheme& scheme)
{
    char16_t windowsDirectory[kTextChars] = {};
    UINT length = Plat().cursors.WindowsDirectory(windowsDirectory, kTextChars);
    if (length >= static_cast<UINT>(kTextChars)) length = 0;
    for (int i = 0; i < kPointerRoleCount; ++i) {
        const PointerRole& role = kPointerRoles[i];
        if (role.cursorId == kNoCursorId || !RoleApplies(role)) continue;
        LoadPointer(role, scheme.pointers[i], StringView16(windowsDirectory, length));
    }
}

// As the Mouse control panel does: the system reloads every pointer from the
// values written, at its real size, and an empty value is the Windows
// default. No flag: the values are written already.
void LoadIntoLogon(const Scheme& scheme)
{
    IDisplay& display = Plat().display;
    if (display.SystemParameters(SPI_SETCURSORS, 0, nullptr, 0)) return;
    Log(u"CSwitchMode::SetMouseStyle SystemParametersInfo(SPI_SETCURSORS) error, file: %s, line: %d, code: %d.",
        kSwitchModeFile, 780, display.LastError());
    LoadPointers(scheme);
}

// The scheme a MouseStyle gives: a stored scheme whole or not at all, else
// Windows' own files.
bool SchemeOf(CSwitchMode& engine, DWORD mouseStyle, Scheme* scheme)
{
    if (mouseStyle > 2) {
        Log(u"CSwitchMode::SetMouseStyle unknow mouse style.");
        return false;
    }
    CRunContext& run = TheRun();
    const bool signOutWording = run.m_nOsVersion >= OSVER_6_2;
    char16_t schemeName[kTextChars] = {};
    if (!run.LoadResString(kSchemeNames[mouseStyle][signOutWording ? 1 : 0], schemeName, kTextChars)) {
        return false;
    }
    String16 key = String16(kSettingsKey) + u"\\MousePointer\\" + static_cast<char16_t>(u'0' + mouseStyle);
    std::vector<String16> stored;
    const bool fromStore = engine.GetMousePointerFromReg(key.c_str(), &stored);
    *scheme = MakeScheme(fromStore ? &stored : nullptr, mouseStyle, schemeName);
    scheme->styleName = schemeName;
    return true;
}

// A text value as stored, with its type and terminator.
bool StoredTextIs(const char16_t* name, DWORD type, const String16& text)
{
    DWORD storedType = 0;
    std::vector<BYTE> data;
    if (RegReadRaw(HKEY_CURRENT_USER, kCursorsKey, name, &storedType, &data) != ERROR_SUCCESS) return false;
    const String16 wanted = text + u'\0';
    return storedType == type && data.size() == wanted.size() * sizeof(char16_t) &&
           std::memcmp(data.data(), wanted.data(), data.size()) == 0;
}

}  // namespace

bool RoleApplies(const PointerRole& role) { return !role.sinceWindows10 || TheRun().m_bWindows10; }

BOOL CSwitchMode::IsMouseStyleInEffect(DWORD mouseStyle, String16* schemeInEffect)
{
    char16_t name[kTextChars] = {};
    if (RegReadStr(HKEY_CURRENT_USER, kCursorsKey, u"", name, sizeof(name) - sizeof(char16_t)) == ERROR_SUCCESS) {
        *schemeInEffect = name;
    }
    Scheme scheme;
    if (!SchemeOf(*this, mouseStyle, &scheme)) return TRUE;  // nothing to compare with: leave it
    for (int i = 0; i < kPointerRoleCount; ++i) {
        if (RoleApplies(kPointerRoles[i]) && !StoredTextIs(kPointerRoles[i].valueName, REG_EXPAND_SZ, scheme.pointers[i])) {
            return FALSE;
        }
    }
    DWORD source = 0;
    return StoredTextIs(u"", REG_SZ, scheme.name) &&
           RegReadDword(HKEY_CURRENT_USER, kCursorsKey, u"Scheme Source", &source) == ERROR_SUCCESS &&
           source == static_cast<DWORD>(ParseDecimal(scheme.source));
}

BOOL CSwitchMode::SetMouseStyle(DWORD mouseStyle)
{
    Scheme scheme;
    if (!SchemeOf(*this, mouseStyle, &scheme)) return FALSE;
    Log(u"CSwitchMode::SetMouseStyle MouseStyle: %s", scheme.styleName);

    // Each value is written on its own; one that fails does not stop the rest.
    for (int i = 0; i < kPointerRoleCount; ++i) {
        if (!RoleApplies(kPointerRoles[i])) continue;
        RegWriteStr(HKEY_CURRENT_USER, kCursorsKey, kPointerRoles[i].valueName, REG_EXPAND_SZ, scheme.pointers[i].c_str());
    }
    RegWriteStr(HKEY_CURRENT_USER, kCursorsKey, u"", REG_SZ, scheme.name.c_str());
    RegWriteDword(HKEY_CURRENT_USER, kCursorsKey, u"Scheme Source", static_cast<DWORD>(ParseDecimal(scheme.source)));

    LoadIntoLogon(scheme);
    AnnounceChange(SPI_SETCURSORS);
    return TRUE;
}

// The texts as they are stored now; a value that is missing or no text is
// the Windows default, as for the system.
BOOL CSwitchMode::ReloadPointers()
{
    Scheme scheme;
    for (int i = 0; i < kPointerRoleCount; ++i) {
        DWORD type = 0;
        std::vector<BYTE> data;
        if (RegReadRaw(HKEY_CURRENT_USER, kCursorsKey, kPointerRoles[i].valueName, &type, &data) != ERROR_SUCCESS) {
            continue;
        }
        if (type != REG_SZ && type != REG_EXPAND_SZ) continue;
        const auto* text = reinterpret_cast<const char16_t*>(data.data());
        scheme.pointers[i] = String16(text, BoundedLength(text, data.size() / sizeof(char16_t)));
    }
    LoadIntoLogon(scheme);
    AnnounceChange(SPI_SETCURSORS);
    return TRUE;
}

// The pointer texts, the default value and "Scheme Source" of a stored
// scheme, all or nothing. A text must end within its 260 characters.
BOOL CSwitchMode::GetMousePointerFromReg(const char16_t* keyPath, std::vector<String16>* scheme)
{
    std::vector<const char16_t*> names;
    for (const PointerRole& role : kPointerRoles) {
        if (role.stored) names.push_back(role.valueName);
    }
    names.push_back(u"");
    std::vector<String16> texts;
    for (const char16_t* name : names) {
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
