#include "switch/SignInRun.h"

#include "engine/SwitchMode.h"
#include "log/RunContext.h"
#include "settings/RegControl.h"

// The program's path in quotation marks, so that a path with blanks can
// never be read as a shorter program followed by arguments.
void ArrangeSignInRun()
{
    char16_t path[kTextChars] = u"%ProgramFiles%\\Halden\\CorvelChg\\CorvelChg.exe";
    Plat().system.ModuleFileName(path, kTextChars);
    path[kTextChars - 1] = 0;
    String16 command = Format(u"\"%s\" /apply", path);
    if (RegWriteStr(HKEY_CURRENT_USER, kRunKey, kRunValue, REG_SZ, command.c_str()) != ERROR_SUCCESS) {
        Log(u"ProcessProc:Set runonce failed.");
    }
}

bool IsSignInRunPending()
{
    char16_t command[kTextChars] = {};
    return RegReadStr(HKEY_CURRENT_USER, kRunKey, kRunValue, command, sizeof(command)) == ERROR_SUCCESS;
}

bool IsSignInRunDue()
{
    CSwitchMode engine;
    DWORD appliedDpi = 96;
    DWORD nextDpi = 96;
    engine.GetDpi(&appliedDpi);
    engine.GetSettingDpi(&nextDpi);
    return appliedDpi == nextDpi;
}

LONG DeleteSignInRun() { return RegDeleteValue(HKEY_CURRENT_USER, kRunKey, kRunValue); }

void RemoveLeftoverSignInRun()
{
    ScopedRegKey key(Plat().registry);
    if (key.Open(HKEY_CURRENT_USER, kRunKey, KEY_ALL_ACCESS) != ERROR_SUCCESS) return;
    LONG result = Plat().registry.DeleteValue(key.Get(), kRunValue);
    if (result == static_cast<LONG>(ERROR_FILE_NOT_FOUND)) {
        Log(u"ProcessProc:CorvelChg is not exist.");
    } else if (result != ERROR_SUCCESS) {
        Log(u"ProcessProc:Delet CorvelChg failed.");
    }
}
