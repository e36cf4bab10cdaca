// The seismic wave record library: record files below the application folder, grouped by
// site class (I to IV and the user's own). The dialog lists one class at a time, imports a
// record file into the current class, deletes one, opens one in the program associated
// with it, plots the selected one, and at OK appends a copy of it to the model's records.
// Import and delete write the library at once, whatever the dialog ends with.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/model/grid/listctrlex.h>
#include <vyr/model/record/TimeHistory.h>
#include <vyr/protocol/LibraryRows.h>

class CDlgWaveFun : public CDialog
{
public:
    CDlgWaveFun(CString appFolder, CWaveFunList* modelList, CWnd* pParent = nullptr);

    // The current class's index file, and its record folder with the trailing backslash.
    CString GetCurPathFileName() const;
    CString GetCurPathName() const;
    // Reads the current class into the dialog's records and rows.
    void FillItem();
    // Writes the current class's index from the dialog's records; false after the message.
    bool ReWritePathFile();
    // Shows the selected record: its fields and its plot.
    void FillDraw();
    void DrawAxis(CDC* pDC, CRect rect, CWaveFun* wave);
    void DrawPicture(CDC* pDC, CRect rect, CWaveFun* wave);

    CString m_strAppPath;
    CWaveFunList* m_pModelList;
    CListCtrlEx m_list;
    CTabCtrl m_tab;
    CString m_strName = "FUN1";
    float m_fStep = 0.02f;
    float m_fDist = 60.0f;
    LOGFONT m_logFont;
    // The records of the class on show; the dialog owns them.
    CWaveFunList m_WaveFunList;
    CLibraryRows<CWaveFunList, CWaveFun> m_rows{m_list};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSelchangeTabSitetype(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnClickWaveList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg void OnEdit();
    afx_msg void OnFormat();
    DECLARE_MESSAGE_MAP()

private:
    int CurClass() const;
    bool EditRecordFile(CWaveFun* wave);
    CString m_strDeleted;   // the record a delete has just taken out of the index
    int m_nShownClass = -1; // the class whose records are shown
};
