// The dialog layer on its own, with a template of its own, as the dialog
// manager's own tests drive it: how DoModal ends, and which of a dialog's
// handlers each message reaches.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

#include "fw/Dialog.h"
#include "tests/wine/DialogProbe.h"

namespace {

constexpr UINT WM_PROBE = WM_APP + 1;

// The owner-drawn button: what reached it, in order.
class ProbeButton : public CWnd {
public:
    explicit ProbeButton(std::string* trail) : m_trail(trail) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT*) override
    {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) *m_trail += "child ";
        return FALSE;
    }
    // Ends the dialog through its message map once drawn.
    void DrawItem(const DRAWITEMSTRUCT* item) override
    {
        m_drawn = true;
        PostMessageW(GetParent(item->hwndItem), WM_PROBE, 0, 0);
    }
    bool m_drawn = false;

private:
    std::string* m_trail;
};

// Runs `act` once the window is made, then records what reaches it.
class ProbeDialog : public CDialog {
public:
    explicit ProbeDialog(std::function<void(ProbeDialog&)> act) : CDialog(IDD_PROBE), m_act(std::move(act)) {}
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_act(*this);
        return TRUE;
    }
    void DoDataExchange() override { DDX_Control(IDC_PROBE_DRAWN, m_drawn); }
    void OnCancel() override
    {
        m_trail += "cancel ";
        CDialog::OnCancel();
    }
    void OnDrawnClicked()
    {
        m_trail += "command ";
        EndDialog(9);
    }
    void OnProbe()
    {
        m_trail += "map ";
        EndDialog(11);
    }
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { PostMessageW(m_hWnd, message, wParam, lParam); }
    void Click(int id) { PostMessageW(GetDlgItem(id), BM_CLICK, 0, 0); }

    std::string m_trail;
    ProbeButton m_drawn{&m_trail};
    std::thread m_worker;  // joined by the test once DoModal returns

private:
    std::function<void(ProbeDialog&)> m_act;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ProbeDialog)
ON_BN_CLICKED(IDC_PROBE_DRAWN, OnDrawnClicked)
ON_MESSAGE_VOID(WM_PROBE, OnProbe)
END_MESSAGE_MAP()

TEST(DialogWine, DoModalEndsWithTheResultOfEachWayOut)
{
    const struct {
        const char* what;
        std::function<void(ProbeDialog&)> act;
        INT_PTR result;
        const char* trail;
    } cases[] = {
        {"OK", [](ProbeDialog& d) { d.Click(IDOK); }, IDOK, ""},
        {"Cancel", [](ProbeDialog& d) { d.Click(IDCANCEL); }, IDCANCEL, "cancel "},
        {"Esc", [](ProbeDialog& d) { PostMessageW(d.GetDlgItem(IDOK), WM_KEYDOWN, VK_ESCAPE, 0); }, IDCANCEL,
         "cancel "},
        {"close box", [](ProbeDialog& d) { d.Post(WM_SYSCOMMAND, SC_CLOSE); }, IDCANCEL, "cancel "},
        {"EndDialog while starting", [](ProbeDialog& d) { d.EndDialog(7); }, 7, ""},
        {"from a worker thread",
         [](ProbeDialog& d) { d.m_worker = std::thread([&d] { d.EndDialogFromThread(5); }); }, 5, ""},
        {"reflected command", [](ProbeDialog& d) { d.Click(IDC_PROBE_DRAWN); }, 9, "child command "},
        {"message map", [](ProbeDialog& d) { d.Post(WM_PROBE); }, 11, "map "},
        {"another notification of the button",
         [](ProbeDialog& d) {
             HWND drawn = d.GetDlgItem(IDC_PROBE_DRAWN);
             d.Post(WM_COMMAND, MAKEWPARAM(IDC_PROBE_DRAWN, BN_SETFOCUS), reinterpret_cast<LPARAM>(drawn));
             d.Post(WM_PROBE);
         },
         11, "map "},
    };
    for (const auto& c : cases) {
        ProbeDialog dialog(c.act);
        EXPECT_EQ(dialog.DoModal(), c.result) << c.what;
        if (dialog.m_worker.joinable()) dialog.m_worker.join();
        EXPECT_EQ(dialog.m_trail, c.trail) << c.what;
        EXPECT_EQ(dialog.m_hWnd, nullptr) << c.what;
    }
}

TEST(DialogWine, TheBoundButtonDrawsItself)
{
    // Closed after 10 s if it never draws.
    ProbeDialog dialog([](ProbeDialog& d) {
        SetTimer(d.m_hWnd, 1, 10000, [](HWND window, UINT, UINT_PTR, DWORD) { PostMessageW(window, WM_CLOSE, 0, 0); });
    });
    EXPECT_EQ(dialog.DoModal(), 11);
    EXPECT_TRUE(dialog.m_drawn.m_drawn);
}

}  // namespace
