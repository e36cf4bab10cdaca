// Blocks of drawing units and the drawing that holds blocks and layers.
#pragma once

#include <vyr/model/draw/DrawUnit.h>

// The units of a block. Destroying the list frees its nodes only; the block deletes the
// units it owns.
class CDrawUnitList : public CTypedPtrList<CPtrList, CDrawUnit*>
{
public:
    explicit CDrawUnitList(CDrawBlock* parent = nullptr) : CTypedPtrList<CPtrList, CDrawUnit*>(10), m_pParent(parent) {}

    virtual void GenVD(CVdraw& vd) const;
    // Union of the units' screen rectangles.
    virtual CRect GetLocalRect();
    // True when any unit meets the rectangle.
    virtual bool IsInterSectRect(const CRect& r) const;

    void SetParent(CDrawBlock* parent) { m_pParent = parent; }
    CDrawBlock* GetParent() const { return m_pParent; }

private:
    CDrawBlock* m_pParent;
};

// A named block of units, itself a unit. It owns the units added to it and deletes them
// when destroyed. Its local matrix maps the units' coordinates into the block's.
class CDrawBlock : public CDrawUnit
{
public:
    CDrawBlock();
    CDrawBlock(const CDrawBlock&) = delete;
    CDrawBlock& operator=(const CDrawBlock&) = delete;
    ~CDrawBlock() override;

    // The block takes over a unit created with new.
    void AddDrawUnit(CDrawUnit* unit);
    CLine* CreateLine(CPoint2D a, CPoint2D b, CLayer* layer, int n1, int n2);
    CText* CreateText(double x, double y, const CString& text, float height, double angle, CLayer* layer);
    CHatch* CreateHatch(CPoint2D* pts, int n, CLayer* layer);
    // Deletes every unit.
    void RemoveAll();

    CDrawUnitList& GetDrawUnitList() { return m_list; }
    const CDrawUnitList& GetDrawUnitList() const { return m_list; }
    void SetBlockName(const CString& name) { m_name = name; }
    CString GetBlockName() const { return m_name; }
    CMatrix2D GetMatrixL() const { return m_matrixL; }
    void SetMatrixL(const CMatrix2D& m) { m_matrixL = m; }

    void Display3D(CDC* pDC, const CMatrix3D& m3, const CMatrix2D& m2, double z) const override;
    CRect2D GetProject2D(const CMatrix3D& m3, double z) override;
    CRect2D GetRect() override;
    bool Display(CDC* pDC, CRect clip) const override;
    void DXF(CDXFOutput* out) const override;
    void GenVD(CVdraw& vd) const override;
    void Change2DtoDp(CMatrix2D* m) override;
    CRect GetRealRect() override;
    CRect GetLocalRect() override;
    CRect2D GetRealRect2D() override;
    CRect GetScreenRect() override;
    bool IsInterSectRect(const CRect& r) const override;
    void MoveXY(double dx, double dy) override;
    void Rotate(double x, double y, double angle) override;
    void Mirror(double x, double y) override;
    void Mirror(double x1, double y1, double x2, double y2) override;
    void ReSize(double f) override;
    using CDrawUnit::Mirror;
    using CDrawUnit::Rotate;

private:
    CDrawUnitList m_list;
    CString m_name;
    CMatrix2D m_matrixL;
};

// A drawing: blocks (added with AddDrawUnit) and the layers they are drawn on. The drawing
// owns its layers and deletes them when destroyed.
class CDraw : public CDrawBlock
{
public:
    CDraw() = default;
    ~CDraw() override;

    CLayerList& GetLayerList() { return m_layers; }
    const CLayerList& GetLayerList() const { return m_layers; }
    CLayer* GetLayer(const CString& name) const { return m_layers.GetLayer(name); }

private:
    CLayerList m_layers;
};
