#include "switch/ResultMessages.h"

#include "app/CorvelChg.h"
#include "res/resource.h"

int ShowMessageText(HWND owner, const String16& text, UINT type)
{
    char16_t caption[kTextChars] = {};
    if (!TheApp()->LoadResString(IDS_TITLE, caption, kTextChars)) return 0;
    return Plat().windows.ShowMessageBox(owner, text.c_str(), caption, type);
}

int ShowMessage(HWND owner, UINT id, UINT type)
{
    char16_t text[kTextChars] = {};
    if (!TheApp()->LoadResString(id, text, kTextChars)) return 0;
    return ShowMessageText(owner, text, type);
}
