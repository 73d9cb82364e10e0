#pragma once
// A list-view control bound by DDX_Control: the few calls the dialogs make.
#include <windows.h>
#include <commctrl.h>

#include "framework/ImageList.h"
#include "framework/Wnd.h"

class CListCtrl : public CWnd {
public:
    // A list view without LVS_SHAREIMAGELISTS destroys its image lists with
    // itself, so the list object lets go of it then: one owner, one destroy.
    void SetImageList(CImageList& list, int which) const {
        HIMAGELIST handle = list.m_hImageList;
        if (!(GetWindowLongW(m_hWnd, GWL_STYLE) & LVS_SHAREIMAGELISTS)) list.Detach();
        SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(handle));
    }
    int InsertItem(int item, const wchar_t* text, int image) const {
        LVITEMW lvi = {};
        lvi.mask = LVIF_TEXT | LVIF_IMAGE;
        lvi.iItem = item;
        lvi.pszText = const_cast<wchar_t*>(text);
        lvi.iImage = image;
        return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&lvi)));
    }
    int GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }
    UINT GetItemState(int item, UINT mask) const {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask));
    }
    void SetItemState(int item, UINT state, UINT mask) const {
        LVITEMW lvi = {};
        lvi.state = state;
        lvi.stateMask = mask;
        SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi));
    }
};
