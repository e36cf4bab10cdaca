// The project section file: the section library written to a file and read back into the
// same or another project, with a preview of the file's sections before they are taken.
// The file holds only what the section library stores of itself, with material references
// into the project's steel and concrete lists.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/model/grid/listctrlex.h>
#include <vyr/model/section/SectionList.h>

class CGlobalData;

class CDlgSectionImport : public CDialog
{
public:
    explicit CDlgSectionImport(CWnd* pParent = nullptr);

    // The refusal of a path, in the order the checks run, or empty when it may be read:
    // empty, not ending in ".SEC", ".sec" or ".Sec", not openable for reading.
    static CString CheckPath(const CString& path);

    CSecPointArray m_arrPreview;
    CSectionList m_listPreview;
    CTabCtrl m_tab;
    CListCtrlEx m_list;
    CString m_strPath;
    // 1: the library is emptied before the file's sections are taken.
    int m_nReplace = 0;
    CGlobalData* m_pGlobalData = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnBrowse();
    afx_msg void OnPreview();
    afx_msg void OnTabChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // The path in the box; shows its refusal, if any, and answers true when it may be read.
    bool PathAccepted(CString& path);
    void FillPreview();
};

// The file a save dialog's answer names: its folder, its title and ".sec", whatever
// extension was typed.
CString SectionFileTarget(const CString& fullPath, const CString& fileName, const CString& fileTitle);
// Writes the project section library to the file: under a temporary name in the same
// folder, which replaces the file only once complete. False (and the file as it was) on
// failure.
bool WriteSectionFile(CGlobalData* pData, const CString& target);
// Reads a section file and appends its sections to the list; false, the list unchanged,
// when the file cannot be read whole.
bool ReadSectionFile(CGlobalData* pData, const CString& path, CSectionList& into);
// The owners' "导出..." and "导入...". The import answers whether the library took the
// file's sections, and whether it was emptied first.
void ExportSectionLibrary(CGlobalData* pData);
bool ImportSectionLibrary(CGlobalData* pData, bool& bReplaced);
// Moves every section of one list to the end of another, as reading would have added it.
void MoveSections(CSectionList& from, CSectionList& to);
