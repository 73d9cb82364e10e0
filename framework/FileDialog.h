#pragma once
// The open-file dialog with the framework's defaults: no filter, no default
// extension, no initial name, the read-only box hidden.
#include <string>

#include "framework/Wnd.h"

class CFileDialog {
public:
    // Without a parent the dialog is owned by the application's active pop-up.
    explicit CFileDialog(CWnd* parent = nullptr) : m_pParentWnd(parent) {}

    // IDOK when a file was chosen, IDCANCEL otherwise (also when the path
    // does not fit the buffer).
    INT_PTR DoModal();
    // The chosen file's full path.
    const std::wstring& GetPathName() const { return m_path; }

private:
    CWnd* m_pParentWnd;
    std::wstring m_path;
};
