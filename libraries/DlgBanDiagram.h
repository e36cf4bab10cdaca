// The calculation diagram of a slab type: its spans as a continuous beam on supports. The
// editor changes the span lengths; the drawing is shared with the slab type dialogs.
#pragma once

#include <vyr/stdafx.h>

class CGlobalData;

// Draws the frame over rect, then the spans (model units) as a beam on triangular
// supports with their lengths times unitLength. A slab without spans, or too short for the
// scale to have an extent, shows the frame only.
void VyrDrawBanDiagram(CDC* pDC, const CRect& rect, const CArray<double, double>& spans, float unitLength);

// Draws the diagram into the client area of a dialog's frame control.
void VyrDrawBanDiagram(CWnd* pFrame, const CArray<double, double>& spans, float unitLength);

class CDlgBanDiagram : public CDialog
{
public:
    explicit CDlgBanDiagram(CWnd* pParent = nullptr);

    CGlobalData* m_pData = nullptr;
    // The spans (model units): filled by the caller, read back after IDOK.
    CArray<double, double> m_SpanArray;
    int m_nKind = 0; // 0 profiled-sheet slab, 1 one-way slab

    int m_nSpanNum = 3;          // edit 1172, 0 to 5
    float m_fSpanLength = 3.0f;  // edit 1173, display units, 0 to 1e34
    int m_nCurNum = 3;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnPaint();
    afx_msg void OnChangeSpanCount();
    afx_msg void OnChangeSpanLength();
    afx_msg void OnClickSpans(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnPreview();
    DECLARE_MESSAGE_MAP()

private:
    float Unit() const;
    void FillRows();
    void Redraw();
    CListCtrl* Spans();
    bool m_bSkipCountChange = true; // the first change of the count follows the opening
    bool m_bOpened = false;         // the controls hold the opening's values
};
