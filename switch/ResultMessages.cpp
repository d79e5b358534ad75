#include "switch/ResultMessages.h"

#include "log/RunContext.h"
#include "res/resource.h"

int ShowMessageText(HWND owner, const String16& text, UINT type)
{
    String16 caption = TheRun().LoadText(IDS_TITLE);
    if (caption.empty()) return 0;
    return Plat().windows.ShowMessageBox(owner, text.c_str(), caption.c_str(), type);
}

int ShowMessage(HWND owner, UINT id, UINT type)
{
    String16 text = TheRun().LoadText(id);
    if (text.empty()) return 0;
    return ShowMessageText(owner, text, type);
}
