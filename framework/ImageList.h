#pragma once
// An image list that belongs to its object and is destroyed with it, unless
// a control has taken it over (see CListCtrl::SetImageList).
#include <windows.h>
#include <commctrl.h>

class CImageList {
public:
    CImageList() = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    ~CImageList() {
        if (m_hImageList) ImageList_Destroy(m_hImageList);
    }

    bool Create(int cx, int cy, UINT flags, int initial, int grow) {
        m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
        return m_hImageList != nullptr;
    }
    int Add(HICON icon) { return ImageList_AddIcon(m_hImageList, icon); }
    // Lets go of the list without destroying it.
    HIMAGELIST Detach() {
        HIMAGELIST list = m_hImageList;
        m_hImageList = nullptr;
        return list;
    }

    HIMAGELIST m_hImageList = nullptr;
};
