// The window-system calls of start-up against the windows stand-in and,
// under Wine, the Win32 adapter.
//   RegisterClassW       https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-registerclassw
//   About Window Classes https://learn.microsoft.com/windows/win32/winmsg/about-window-classes
//   InitCommonControlsEx https://learn.microsoft.com/windows/win32/api/commctrl/nf-commctrl-initcommoncontrolsex
//   FindWindowW          https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-findwindoww
//   SetForegroundWindow  https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-setforegroundwindow
//   ShowWindow           https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-showwindow
//   MessageBoxW          https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-messageboxw
// HtmlHelpW has no case here: what it answers for a missing file or with no
// viewer open is undocumented, and the real viewer is driven under Wine by
// the help tests.
#include <thread>

#include "platform/fake/FakeWindows.h"
#include "tests/contract/ContractSupport.h"

namespace {

constexpr char16_t kBoxCaption[] = u"TessalyContractBox";

#ifdef _WIN32
// Clicks the button of the box once it is up, from a thread of its own.
void AnswerWin32Box(int button)
{
    std::thread([button] {
        for (int i = 0; i < 500; ++i) {
            HWND box = FindWindowW(L"#32770", Wide(kBoxCaption));
            if (box) {
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
                return;
            }
            Sleep(10);
        }
    }).detach();
}
#endif

class WindowsContract : public ContractTest<IWindows> {
protected:
    // A visible top-level window of the class with the title.
    HWND AddTop(const char16_t* className, const char16_t* title)
    {
        if (IsStandIn()) return StandInAs<FakeWindows>().AddWindow(className, title);
#ifdef _WIN32
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = Wide(className);
        RegisterClassW(&wc);
        return CreateWindowW(Wide(className), Wide(title), WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                             wc.hInstance, nullptr);
#else
        return nullptr;
#endif
    }
    // Answers the next box captioned kBoxCaption with the button.
    void Answer(int button)
    {
        if (IsStandIn()) {
            StandInAs<FakeWindows>().boxAnswer = button;
            return;
        }
#ifdef _WIN32
        AnswerWin32Box(button);
#endif
    }
};

// RegisterClassW of a name this module has registered already fails, with
// ERROR_CLASS_ALREADY_EXISTS, and so does the name in another case (not
// documented; Windows' known answer). The refusal is per module ("several
// modules can use the same name to register local classes in the same
// process", About Window Classes): the adapter registers under the
// program's own module, so the name is registered once a run of the program.
TEST_P(WindowsContract, AClassIsRegisteredOnce)
{
    EXPECT_TRUE(subject->RegisterDialogClass(u"TessalyContractDialog"));
    EXPECT_FALSE(subject->RegisterDialogClass(u"TessalyContractDialog"));
    EXPECT_FALSE(subject->RegisterDialogClass(u"TESSALYCONTRACTDIALOG"));
}

// InitCommonControlsEx with known ICC_ classes returns TRUE.
TEST_P(WindowsContract, CommonControlsLoad) { EXPECT_TRUE(subject->InitCommonControls(ICC_PROGRESS_CLASS)); }

// FindWindowW: the top-level window whose class and title match, or NULL;
// "This function does not perform a case-sensitive search", of the class
// nor of the title.
TEST_P(WindowsContract, AWindowFoundByClassAndTitle)
{
    HWND window = AddTop(u"TessalyContractTop", u"Tessaly Contract");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(subject->FindTopWindow(u"TessalyContractTop", u"Tessaly Contract"), window);
    EXPECT_EQ(subject->FindTopWindow(u"tessalycontracttop", u"Tessaly Contract"), window);
    EXPECT_EQ(subject->FindTopWindow(u"TessalyContractTop", u"TESSALY CONTRACT"), window);
    EXPECT_EQ(subject->FindTopWindow(u"TessalyContractTop", nullptr), window);
    EXPECT_EQ(subject->FindTopWindow(u"TessalyContractTop", u"Another"), nullptr);
    EXPECT_EQ(subject->FindTopWindow(u"TessalyNoSuchClass", nullptr), nullptr);
}

// SetForegroundWindow (of the last active popup): nonzero for a window
// brought to the front; no window, nothing brought (zero).
TEST_P(WindowsContract, AWindowComesToTheFront)
{
    HWND window = AddTop(u"TessalyContractFront", u"Front");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(subject->BringToFront(window));
    EXPECT_FALSE(subject->BringToFront(nullptr));
}

// ShowWindow: "If the window was previously visible, the return value is
// nonzero. If the window was previously hidden, the return value is zero."
TEST_P(WindowsContract, ShowWindowSaysWhetherItWasVisible)
{
    HWND window = AddTop(u"TessalyContractShown", u"Shown");
    ASSERT_NE(window, nullptr);
    EXPECT_NE(subject->ShowWindow(window, SW_HIDE), 0);
    EXPECT_EQ(subject->ShowWindow(window, SW_HIDE), 0);
    EXPECT_EQ(subject->ShowWindow(window, SW_SHOWNORMAL), 0);
}

// MessageBoxW returns the id of the button the person chose.
TEST_P(WindowsContract, ABoxReturnsTheButtonChosen)
{
    for (int button : {IDYES, IDNO}) {
        Answer(button);
        EXPECT_EQ(subject->ShowMessageBox(nullptr, u"Contract", kBoxCaption, MB_YESNO | MB_ICONQUESTION), button);
    }
}

INSTANTIATE_CONTRACT(WindowsContract, FakeWindows, Win32Windows);

}  // namespace
