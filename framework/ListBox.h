#pragma once
// List box wrapper bound by DDX_Control.
#include "framework/Wnd.h"

class CListBox : public CWnd {
public:
    // Adds a line where the list's own order puts it (sorted when the list
    // sorts); returns its index, or LB_ERR / LB_ERRSPACE.
    int AddString(const wchar_t* text) const {
        return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
};
