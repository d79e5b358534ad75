#include "ui/NoteFont.h"

#include "log/RunContext.h"
#include "res/resource.h"

bool SetNoteFont(HWND dialog, std::initializer_list<int> controls, ScopedFont* font)
{
    String16 face = TheRun().LoadText(IDS_NOTE_FONT);
    if (face.empty()) return false;
    font->Reset(CreatePointFont(80, face.c_str()));
    for (int id : controls) {
        SendMessageW(GetDlgItem(dialog, id), WM_SETFONT, reinterpret_cast<WPARAM>(font->Get()), TRUE);
    }
    return true;
}
