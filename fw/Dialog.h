// A modal dialog built from a dialog template, with its own modal loop so
// that PreTranslateMessage sees every message before the dialog manager's
// keyboard handling, a message map from commands and window messages to
// member functions, and controls bound to objects that get their
// notifications reflected (DDX_Control).
#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "fw/ScrollBand.h"
#include "fw/Wnd.h"

class CDialog;

// Posted to a dialog by EndDialogFromThread; wParam is the result.
inline constexpr UINT WM_END_FROM_THREAD = WM_APP + 0x70;

// One entry of a dialog's message map.
struct MessageMapEntry {
    enum Kind { Command, Message, CtlColor, End };
    Kind kind;
    UINT message;  // WM_COMMAND for commands
    UINT id;       // control id of a command
    UINT code;     // notification code of a command
    void (CDialog::*handler)();
    HBRUSH (CDialog::*ctlColor)(HDC dc, HWND control, UINT type);
};

#define DECLARE_MESSAGE_MAP() \
protected:                    \
    const MessageMapEntry* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass)                                      \
    const MessageMapEntry* theClass::GetMessageMap() const               \
    {                                                                    \
        using ThisClass = theClass;                                      \
        static const MessageMapEntry entries[] = {
#define ON_COMMAND(id, code, fn)                                                                       \
    {MessageMapEntry::Command, WM_COMMAND, static_cast<UINT>(id), static_cast<UINT>(code),             \
     static_cast<void (CDialog::*)()>(&ThisClass::fn), nullptr},
#define ON_BN_CLICKED(id, fn) ON_COMMAND(id, BN_CLICKED, fn)
#define ON_MESSAGE_VOID(message, fn) \
    {MessageMapEntry::Message, message, 0, 0, static_cast<void (CDialog::*)()>(&ThisClass::fn), nullptr},
#define ON_WM_CLOSE(fn) ON_MESSAGE_VOID(WM_CLOSE, fn)
#define ON_WM_CTLCOLOR(fn)                                              \
    {MessageMapEntry::CtlColor, WM_CTLCOLORSTATIC, 0, 0, nullptr,       \
     static_cast<HBRUSH (CDialog::*)(HDC, HWND, UINT)>(&ThisClass::fn)}, \
    {MessageMapEntry::CtlColor, WM_CTLCOLORBTN, 0, 0, nullptr,          \
     static_cast<HBRUSH (CDialog::*)(HDC, HWND, UINT)>(&ThisClass::fn)}, \
    {MessageMapEntry::CtlColor, WM_CTLCOLORDLG, 0, 0, nullptr,          \
     static_cast<HBRUSH (CDialog::*)(HDC, HWND, UINT)>(&ThisClass::fn)},
#define END_MESSAGE_MAP()                                              \
    {MessageMapEntry::End, 0, 0, 0, nullptr, nullptr}};                \
        return entries;                                                \
    }

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND owner = nullptr);

    // Shows the dialog and runs its modal loop until EndDialog; returns the
    // result given to EndDialog, or -1 when the window could not be made.
    INT_PTR DoModal();
    void EndDialog(int result);
    // Ends the dialog from another thread: the dialog's own thread ends it at
    // the next message its loop sees (one is posted for it).
    void EndDialogFromThread(int result);

    virtual BOOL OnInitDialog();
    virtual BOOL PreTranslateMessage(MSG* message);
    virtual void DoDataExchange() {}
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    // The window's icon: the program's own unless set before DoModal.
    HICON m_hIcon;

protected:
    virtual const MessageMapEntry* GetMessageMap() const { return nullptr; }
    // The dialog itself or one of its controls: where the user is working
    // in this window, not in another window of the same thread.
    bool IsOwnWindow(HWND window) const;
    // Binds control id to an object: the object gets the control's handle,
    // and its notifications reach the object before the dialog.
    void DDX_Control(int id, CWnd& control);

    // The control whose bottom edge ends the rows that stay in view above a
    // band that scrolls; 0 when only the button row stays.
    int m_nHeaderId = 0;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);
    // The routes of Dispatch, in its order; each is true when it handled
    // the message.
    bool RedrawForNewColors();
    bool ReflectDrawItem(LPARAM lParam, INT_PTR* result);
    bool ReflectCommand(WPARAM wParam, LPARAM lParam);
    bool ScrollBand(UINT message, WPARAM wParam);
    bool FromMessageMap(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);
    bool OkOrCancel(WPARAM wParam);
    CWnd* BoundControl(HWND window) const;
    // Moves the window inside the work area of its monitor. One that is too
    // tall takes the area's height and scrolls its band of rows instead:
    // the text keeps its size.
    void FitToWorkArea();
    int MakeBand(int excess, int widen);

    // Ends the dialog when another thread asked for it; false when none did.
    bool TakeEndFromThread();

    UINT m_nIDTemplate;
    HWND m_hOwner;
    bool m_bInModalLoop = false;
    int m_nModalResult = -1;
    std::atomic<bool> m_bEndFromThread{false};
    std::atomic<int> m_nEndFromThreadResult{0};
    std::vector<CWnd*> m_boundControls;
    std::unique_ptr<CScrollBand> m_band;
};
