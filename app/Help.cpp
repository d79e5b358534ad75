// Help: a topic of the help file beside the program, in the HTML Help viewer.
#include "app/CorvelChg.h"
#include "platform/Text.h"

namespace {
constexpr UINT HH_DISPLAY_TOPIC = 0x0000;
constexpr UINT HH_PRETRANSLATEMESSAGE = 0x000D;
constexpr UINT HH_CLOSE_ALL = 0x0012;
constexpr int SW_SHOWNORMAL_COMMAND = 1;
}  // namespace

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
    Plat().windows.ShowWindow(viewer, SW_SHOWNORMAL_COMMAND);
}

// The viewer runs on this thread and needs its keys (Tab, Alt+letters)
// before the dialog manager takes them. Nothing is asked of the help
// library before the user has opened help.
BOOL CCorvelChgApp::PreTranslateAppMessage(tagMSG* message)
{
    if (!m_bHelpShown) return FALSE;
    return Plat().windows.HtmlHelp(nullptr, nullptr, HH_PRETRANSLATEMESSAGE, reinterpret_cast<std::uintptr_t>(message)) !=
           nullptr;
}

void CCorvelChgApp::CloseHelp()
{
    if (!m_bHelpShown) return;
    Plat().windows.HtmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
    m_bHelpShown = FALSE;
}
