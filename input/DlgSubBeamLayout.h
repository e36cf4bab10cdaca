// What the secondary-beam dialogs of quadrilateral and triangular rooms share: the rooms'
// sides and corners, the two placement sides of a direction, the point lists with their
// distance and ratio modes, insert, equal division and delete, the preview, and OK, which
// lays the beams out in every room. Each dialog supplies its template, its control ids,
// its direction table and its preview labels.
#pragma once

#include <memory>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/geometry/geometry.h>
#include <vyr/model/grid/listctrlex.h>
#include <vyr/model/struct/Plane.h>

class CGlobalData;

class CDlgSubBeamLayout : public CDialog
{
public:
    ~CDlgSubBeamLayout() override;

    // Refuses (with its message) a room whose boundary does not group into the dialog's
    // sides, and then does not open.
    INT_PTR DoModal() override;

    CGlobalData* m_pData = nullptr;
    CPlaneList m_PlaneList; // the rooms to work on, appended by the caller
    CListCtrlEx m_PointList;

    int m_nDivNum = 2;
    double m_dDist1 = 0.0, m_dDist2 = 0.0;
    double m_dRatio1 = 0.0, m_dRatio2 = 0.0;
    int m_nDirection = 0;
    // The smallest lengths of the two placement sides over the rooms (display units): as
    // shown, and as the checks, ratios, division and preview use them.
    double m_dShowLen1 = 0.0, m_dShowLen2 = 0.0;
    double m_dWorkLen1 = 0.0, m_dWorkLen2 = 0.0;
    int m_nKind1 = 0, m_nKind2 = 0; // 0 distance, 1 ratio
    // One entry of each per beam row, each ascending by itself.
    std::vector<float> m_arrDist1, m_arrDist2, m_arrRatio1, m_arrRatio2;
    int m_nListMode = -1; // -1 undetermined, 0 distance, 1 ratio
    int m_nPointNum1 = 0, m_nPointNum2 = 0;

    static constexpr int kMaxSides = 4;
    int m_nSideBeams[kMaxSides] = {0, 0, 0, 0};
    CPoint2D m_ptCorner[kMaxSides];
    CPoint m_ptScreen[kMaxSides];
    double m_dMinLen[kMaxSides] = {1e99, 1e99, 1e99, 1e99};
    double m_dScale = 1.0;
    CPoint2D m_ptCenter;
    CRect m_rcPreview;
    int m_nSelRow = -1;

    // Two decimals as the lengths are shown: trunc((x * 1000 + 5) * 0.1) * 0.01.
    static double RoundShown(double x);

protected:
    // The placement sides of a direction: reference and far corner of each (indices from 0)
    // and the side each lies on.
    struct Placement
    {
        int ref1, far1, side1, ref2, far2, side2;
    };
    // idd: the template; sides: 3 or 4; firstDirection: the first of the direction radios.
    CDlgSubBeamLayout(UINT idd, int sides, int firstDirection, CWnd* pParent);

    virtual Placement PlacementOf(int direction) const = 0;
    // The layout direction that a room's direction code stands for.
    virtual int DirectionOfCode(int code) const = 0;
    // Whether reopening a layout shows its lengths unrounded.
    virtual bool ShowsReadLengthsUnrounded() const = 0;
    // The labels of the preview of one room.
    virtual void DrawLabels(CDC* pDC) = 0;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnInsertPoint();
    afx_msg void OnInsertDivision();
    afx_msg void OnDeletePoint();
    afx_msg void OnDirection();
    afx_msg void OnPointKind(UINT id);
    afx_msg void OnItemChangedPointList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnPaint();
    afx_msg void OnDestroy();

    // A room's sides: corner, length (display units) and member count of each; false when
    // its boundary does not group into exactly the dialog's sides.
    struct RoomSides
    {
        CPoint2D corner[kMaxSides];
        double length[kMaxSides] = {0, 0, 0, 0};
        int members[kMaxSides] = {0, 0, 0, 0};
    };
    bool ReadSides(CPlane* room, RoomSides& out) const;
    float Unit() const;
    // The lengths of the current direction: working lengths from the minima, shown
    // lengths rounded or not.
    void SetDirectionLengths(bool rounded);
    // The length that distances are checked against and measured along.
    double Length1() const { return m_bShownIsWorking ? m_dShowLen1 : m_dWorkLen1; }
    double Length2() const { return m_bShownIsWorking ? m_dShowLen2 : m_dWorkLen2; }
    void ReadExistingLayout(CPlane* room);
    void ComputePreview(CPlane* room);
    void FillPointList();
    void SetValueHeaders(const char* text);
    void Repaint();
    void DrawSide(CDC* pDC, int side);
    CPoint SideMid(int side) const;
    bool OneRoom() const { return m_PlaneList.GetCount() == 1; }

    static int FindPoint(const std::vector<float>& arr, double value);
    static void SortPoints(std::vector<float>& arr);

    const int m_nSides;
    const int m_nFirstDirectionId;
    // The quadrilateral's dialog works on the shown lengths themselves.
    bool m_bShownIsWorking = false;
    // Every vertex of the room in preview pixels; freed with the window only.
    std::unique_ptr<std::vector<CPoint>> m_pVexMarks;

    DECLARE_MESSAGE_MAP()
};
