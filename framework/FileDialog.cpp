#include "framework/FileDialog.h"

#include <commdlg.h>

#include <vector>

#include "base/SystemLibrary_win.h"
#include "framework/WinApp.h"

INT_PTR CFileDialog::DoModal() {
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    CWnd* main = AfxGetMainWnd();
    if (!owner && main && main->m_hWnd) owner = GetLastActivePopup(main->m_hWnd);

    // Room for long paths, which the dialog can return beyond MAX_PATH.
    std::vector<wchar_t> file(4096, L'\0');
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
    // The common dialogs are loaded only when a file is to be chosen.
    using Fn = BOOL(WINAPI*)(LPOPENFILENAMEW);
    auto getOpenFileName = SystemFunction<Fn>(L"comdlg32.dll", "GetOpenFileNameW");
    if (!getOpenFileName || !getOpenFileName(&ofn)) return IDCANCEL;
    m_path = file.data();
    return IDOK;
}
