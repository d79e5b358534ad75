// Help: a topic of the help file beside the program, in the HTML Help viewer.
#include "app/CorvelChg.h"
#include "platform/Text.h"

void CCorvelChgApp::ShowHelp(const char16_t* topic)
{
    char16_t module[kTextChars] = {};
    Plat().system.ModuleFileName(module, kTextChars);
    String16 file(module, BoundedLength(module, kTextChars));
    size_t slash = file.rfind(u'\\');
    if (slash != String16::npos) file.resize(slash);
    file += u"\\CorvelChg.chm";
    file += topic;
    HWND viewer = Plat().windows.HtmlHelp(Plat().desktop.GetDesktopWindow(), file.c_str(), HH_DISPLAY_TOPIC, 0);
    m_bHelpShown = TRUE;
    Plat().windows.ShowWindow(viewer, SW_SHOWNORMAL);
}

void CCorvelChgApp::CloseHelp()
{
    if (!m_bHelpShown) return;
    Plat().windows.HtmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
    m_bHelpShown = FALSE;
}
