// A light copy of members and walls that previews, the dragging operator and the project
// thumbnail draw, and that the parametric model dialogs write into the model.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/geometry/geometry.h>

class CDC;
class CWnd;
class CGlobalData;
class CEditStackNode;
class CBeamList;
class CWallList;
class CSectionBase;

class CStructSketch
{
public:
    struct Line
    {
        CPoint3D a, b;
        int nType = 2;                 // member type code of the member it stands for
        CSectionBase* pSection = nullptr;
        CPoint2D pa, pb;               // projection plane
        CPoint2D sa, sb;               // pixels
    };
    struct Wall
    {
        CPoint3D c[4];
        float fT = 20.0f;
        CPoint2D p[4];
        CPoint2D s[4];
    };

    CStructSketch() = default;

    void Import(CBeamList* members, CWallList* walls);
    bool IsEmpty() const { return m_arrLine.empty() && m_arrWall.empty(); }
    void ClearData();
    void SetUseType(int t) { m_nUseType = t; }
    int GetUseType() const { return m_nUseType; }
    void Change3D(CMatrix3D& m);
    void Change2D(CMatrix2D& m);
    // Draws with the last transformations; style 1 and 2 alternate in a blinking preview.
    void Display(CDC* pDC);
    CRect2D GetProjectRect() const;
    // Fits the sketch into a client rectangle, 10 pixels inside its edges.
    void ZoomAll(const CRect& client);
    CMatrix2D GetZoomAllMx2D(const CRect& client) const;
    void ZoomAll(CWnd* pWnd);
    CMatrix2D GetZoomAllMx2D(CWnd* pWnd) const;
    // Writes the sketch into the model as new members and walls (reusing nodes at the same
    // places) and records the additions in the undo record.
    void Export(CGlobalData* pData, CEditStackNode& undo, bool bSnapNodes);

    // Builders for the dialogs that generate a sketch.
    void AddLine(const CPoint3D& a, const CPoint3D& b, int type = 2, CSectionBase* sec = nullptr);
    void AddWall(const CPoint3D c[4], float t);

    const std::vector<Line>& GetLines() const { return m_arrLine; }
    const std::vector<Wall>& GetWalls() const { return m_arrWall; }

private:
    std::vector<Line> m_arrLine;
    std::vector<Wall> m_arrWall;
    int m_nUseType = 0;
    CMatrix3D m_mx3D;
    CMatrix2D m_mx2D;
};
