// The normalised mode shapes, one mode at a time: the list of modes, the master nodes' shape
// in the selected mode, and the structure deformed in that mode (members as lines, walls as
// filled quadrilaterals, drawn back to front), turned about the vertical axis in steps of 5
// degrees, each mode with its own turn and display scale. The host also calls PaintOnBitmap
// and Output itself. The dialog writes nothing into the model but its current mode, the
// deformed positions the model prepares and the drawing depths of members and walls.
#pragma once

#include <vector>

#include <vyr/controls.h>
#include <vyr/dialog.h>
#include <vyr/model/geometry/Matrix.h>
#include <vyr/model/grid/listctrlex.h>

class CBeamList;
class CGlobalData;
class COutput;
class CWallList;

class CDlgOutputFrequentUni : public CDialog
{
public:
    explicit CDlgOutputFrequentUni(CWnd* pParent = nullptr);
    ~CDlgOutputFrequentUni() override;

    CGlobalData* m_pGlobalData = nullptr; // set by the host before the dialog opens
    int m_nCurMode = 0;
    CMatrix3D m_mTilt;
    int m_nTiltAngle = 20; // degrees, common to all modes
    CBitmap m_bmpLeft, m_bmpRight;
    CBitmap* m_pFileBitmap = nullptr; // owned: the bitmap of the last PaintOnBitmap
    CObList* m_pDrawList;             // owned list of the model's members and walls, deepest first
    std::vector<CMatrix3D> m_arrView;   // per mode: model space to view space
    std::vector<CMatrix3D> m_arrRotate; // per mode: the turn about the vertical axis
    std::vector<CMatrix2D> m_arrFit;    // per mode: view plane to the drawing's pixels
    std::vector<int> m_arrAngle;        // per mode, degrees
    std::vector<int> m_arrScale;        // per mode, the display scale
    CProgressCtrl m_Progress;
    CSpinButtonCtrl m_Spin;
    CListCtrlEx m_List;      // the modes
    CListCtrlEx m_ListFloor; // the master nodes
    int m_nScale = 0;        // exchanged with the scale edit

    void FillColumn();
    void FillItem();
    void FillItemFloor();
    void InitMatrix();
    void Combine(int mode, CWnd* area);
    void SetDrawPara();
    void InitMemberBaseList(CBeamList* members, CWallList* walls);
    void OnDraw(int mode, CDC* pDC);
    // Draws the mode into a bitmap of the window's client size and writes it as
    // <project>\<name>Output\Doc\temp\frequentbmp<mode>.bmp (the folder is not made). Nothing
    // for a mode the dialog has no view of.
    void PaintOnBitmap(int mode, CWnd* window);
    // The normalised mode shapes as a chapter with a header block of its own.
    void Output(COutput& out);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnLeft();
    afx_msg void OnRight();
    afx_msg void OnApply();
    afx_msg void OnDocument();
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnItemchangedOutputList(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // The mode has a view (the dialog was set up with it).
    bool HasView(int mode) const { return mode >= 0 && mode < (int)m_arrView.size(); }
    // Turns the current mode to the angle and redraws it.
    void Turn(int angle);
    CWnd* Area() const;
};
