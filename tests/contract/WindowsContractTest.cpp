// The window-system calls of start-up against the windows stand-in and,
// under Wine, the Win32 adapter.
//   RegisterClassW       https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-registerclassw
//   InitCommonControlsEx https://learn.microsoft.com/windows/win32/api/commctrl/nf-commctrl-initcommoncontrolsex
//   FindWindowW          https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-findwindoww
//   SetForegroundWindow  https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-setforegroundwindow
//   ShowWindow           https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-showwindow
//   MessageBoxW          https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-messageboxw
// HtmlHelpW has no case here: what it answers for a missing file or with no
// viewer open is undocumented, and the real viewer is driven under Wine by
// the help tests.
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "platform/fake/FakeWindows.h"
#include "tests/contract/ContractSupport.h"
#ifdef _WIN32
#include "platform/win32/Win32Platform.h"
#endif

namespace {

constexpr char16_t kBoxCaption[] = u"TessalyContractBox";

struct Implementation {
    const char* name;
    std::function<std::unique_ptr<IWindows>()> make;
    // A visible top-level window of the class with the title.
    std::function<HWND(IWindows&, const char16_t* className, const char16_t* title)> addTop;
    // Answers the next box captioned kBoxCaption with the button.
    std::function<void(IWindows&, int button)> answer;
};

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

std::vector<Implementation> Implementations()
{
    std::vector<Implementation> list = {
        {"Stand_in", [] { return std::make_unique<FakeWindows>(); },
         [](IWindows& windows, const char16_t* className, const char16_t* title) {
             return static_cast<FakeWindows&>(windows).AddWindow(className, title);
         },
         [](IWindows& windows, int button) { static_cast<FakeWindows&>(windows).boxAnswer = button; }}};
#ifdef _WIN32
    list.push_back({"Win32", [] { return std::make_unique<Win32Windows>(); },
                    [](IWindows&, const char16_t* className, const char16_t* title) {
                        WNDCLASSW wc{};
                        wc.lpfnWndProc = DefWindowProcW;
                        wc.hInstance = GetModuleHandleW(nullptr);
                        wc.lpszClassName = Wide(className);
                        RegisterClassW(&wc);
                        return CreateWindowW(Wide(className), Wide(title), WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                             nullptr, nullptr, wc.hInstance, nullptr);
                    },
                    [](IWindows&, int button) { AnswerWin32Box(button); }});
#endif
    return list;
}

class WindowsContract : public ::testing::TestWithParam<Implementation> {
protected:
    void SetUp() override { windows = GetParam().make(); }
    std::unique_ptr<IWindows> windows;
};

// RegisterClassW of a name this module has registered already fails
// (ERROR_CLASS_ALREADY_EXISTS): a class is registered once a process.
TEST_P(WindowsContract, AClassIsRegisteredOnce)
{
    EXPECT_TRUE(windows->RegisterDialogClass(u"TessalyContractDialog"));
    EXPECT_FALSE(windows->RegisterDialogClass(u"TessalyContractDialog"));
}

// InitCommonControlsEx with known ICC_ classes returns TRUE.
TEST_P(WindowsContract, CommonControlsLoad) { EXPECT_TRUE(windows->InitCommonControls(ICC_PROGRESS_CLASS)); }

// FindWindowW: the top-level window whose class and title match, or NULL.
// Class names are not case-sensitive ("About Window Classes"). Whether the
// title is compared with regard to case is undocumented; Windows compares
// it without (known behaviour, and Wine's answer: FindWindowExW compares
// with wcsicmp), so a title of another case still finds the window.
TEST_P(WindowsContract, AWindowFoundByClassAndTitle)
{
    HWND window = GetParam().addTop(*windows, u"TessalyContractTop", u"Tessaly Contract");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(windows->FindTopWindow(u"TessalyContractTop", u"Tessaly Contract"), window);
    EXPECT_EQ(windows->FindTopWindow(u"tessalycontracttop", u"Tessaly Contract"), window);
    EXPECT_EQ(windows->FindTopWindow(u"TessalyContractTop", u"TESSALY CONTRACT"), window);
    EXPECT_EQ(windows->FindTopWindow(u"TessalyContractTop", nullptr), window);
    EXPECT_EQ(windows->FindTopWindow(u"TessalyContractTop", u"Another"), nullptr);
    EXPECT_EQ(windows->FindTopWindow(u"TessalyNoSuchClass", nullptr), nullptr);
}

// SetForegroundWindow (of the last active popup): nonzero for a window
// brought to the front; no window, nothing brought (zero).
TEST_P(WindowsContract, AWindowComesToTheFront)
{
    HWND window = GetParam().addTop(*windows, u"TessalyContractFront", u"Front");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(windows->BringToFront(window));
    EXPECT_FALSE(windows->BringToFront(nullptr));
}

// ShowWindow: "If the window was previously visible, the return value is
// nonzero. If the window was previously hidden, the return value is zero."
TEST_P(WindowsContract, ShowWindowSaysWhetherItWasVisible)
{
    HWND window = GetParam().addTop(*windows, u"TessalyContractShown", u"Shown");
    ASSERT_NE(window, nullptr);
    EXPECT_NE(windows->ShowWindow(window, SW_HIDE), 0);
    EXPECT_EQ(windows->ShowWindow(window, SW_HIDE), 0);
    EXPECT_EQ(windows->ShowWindow(window, SW_SHOWNORMAL), 0);
}

// MessageBoxW returns the id of the button the person chose.
TEST_P(WindowsContract, ABoxReturnsTheButtonChosen)
{
    for (int button : {IDYES, IDNO}) {
        GetParam().answer(*windows, button);
        EXPECT_EQ(windows->ShowMessageBox(nullptr, u"Contract", kBoxCaption, MB_YESNO | MB_ICONQUESTION), button);
    }
}

INSTANTIATE_CONTRACT(WindowsContract, Implementations());

}  // namespace
