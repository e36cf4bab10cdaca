// The results of the elastic time-history analysis: one row per time-history case and one
// for their average; the curves of the selected row in X and Y; and per row and direction
// the amplification factor of seismic forces, computed from the response-spectrum base
// shear while "自动" is ticked or typed otherwise. Factors go into the model's results at
// once: on selecting a row with "自动" ticked, and on "刷新 >".
#pragma once

#include <vyr/stdafx.h>
#include <vyr/controls.h>
#include <vyr/input/THResultRows.h>
#include <vyr/model/grid/listctrlex.h>

class CGlobalData;
class CStruct;

class CDlgTHResult : public CDialog
{
public:
    explicit CDlgTHResult(CWnd* pParent = nullptr);

    CGlobalData* m_pData = nullptr; // set by the opener
    CListCtrlEx m_list;
    CTabCtrl m_tab;
    float m_fAmplifyX = 1.0f;
    int m_bDefineX = 1;
    float m_fSpectrumX = 0.0f; // response-spectrum base shears, kN
    float m_fSpectrumY = 0.0f;
    float m_fAmplifyY = 1.0f;
    int m_bDefineY = 1;
    LOGFONT m_logFont;

    // The selected row (from 0), -1 for none.
    int GetSelectedRow() const;
    // The selected tab's plot of the selected row in one direction, over a cleared rect.
    void DrawPlot(CDC* pDC, const CRect& rect, bool y);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnItemChangedList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSelChangeTab(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRefresh();
    afx_msg void OnReport();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CStruct* Struct() const;
    CTHResultRow SelectedRow() const;
    // The factor of a direction by the rule, from the row's base shear.
    float AutoFactor(const CTHResultRow& row, bool y) const;
    // Both frames drawn again. The plots show what the model holds, so the boxes are not read.
    void DrawPlots();
};
