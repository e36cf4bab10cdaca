// The grid-axis system: named plan axes, the segments between their crossings and the
// crossing points, with the display state the hit tests take.
#pragma once

#include <list>
#include <memory>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/geometry/geometry.h>
#include <vyr/model/struct/ViewXform.h>

class CAxisDisplay
{
public:
    CAxisDisplay() = default;
    bool GetIsShow() const { return m_bShow; }
    double GetZ() const { return m_dZ; }
    void SetIsShow(bool b) { m_bShow = b; }
    void SetZ(double z) { m_dZ = z; }
    // The view the axes are drawn in; the model root binds its own matrices here.
    void SetView(CMatrix3D* m3, CMatrix2D* m2)
    {
        m_pMx3D = m3;
        m_pMx2D = m2;
    }
    CViewXform GetXform() const;

    bool m_bShow = true;
    double m_dZ = 0.0;
    CMatrix3D* m_pMx3D = nullptr;
    CMatrix2D* m_pMx2D = nullptr;
};

// A straight stretch of an axis between two crossings (an axis is a segment too).
class CAxisSeq
{
public:
    CAxisSeq() = default;
    CAxisSeq(const CPoint2D& st, const CPoint2D& ed) : m_ptSt(st), m_ptEd(ed) {}
    virtual ~CAxisSeq() = default;

    void SetIsSelected(bool b) { m_bSelected = b; }
    bool GetIsSelected() const { return m_bSelected; }
    CPoint2D GetStPt() const { return m_ptSt; }
    CPoint2D GetEdPt() const { return m_ptEd; }
    // The stretch's direction in plan: "X向" along x, "Y向" along y, "斜向" otherwise (a
    // stretch of no length reads "X向").
    CString GetAxisDesc() const;

    CPoint2D m_ptSt, m_ptEd;
    bool m_bSelected = false;
    class CAxis* m_pAxis = nullptr; // the axis the segment belongs to (itself for an axis)
};

class CAxis : public CAxisSeq
{
public:
    // Label categories, taken from the label: numbered ("1", "12"), lettered ("A", "AB") and
    // auxiliary (anything else: "", "1/A"); the drawing exports list no auxiliary axis.
    enum { NOCAT_NUMBER = 1, NOCAT_LETTER = 2, NOCAT_AUX = 3 };

    CAxis(const CString& label, const CPoint2D& st, const CPoint2D& ed)
        : CAxisSeq(st, ed), m_strLabel(label), m_nNoCat(LabelCategory(label))
    {
        m_pAxis = this;
    }
    const CString& GetLabel() const { return m_strLabel; }
    // The axis' number as it is labelled.
    CString GetNo() const { return m_strLabel; }
    int GetNoCat() const { return m_nNoCat; }
    void SetNoCat(int cat) { m_nNoCat = cat; }
    static int LabelCategory(const CString& label);

    CString m_strLabel;
    int m_nNoCat;
};

// A crossing point of two axes.
class CAxisPt
{
public:
    CAxisPt(const CPoint2D& p, CAxis* a, CAxis* b) : m_pt(p), m_pAxis1(a), m_pAxis2(b) {}
    void SetIsSelected(bool b) { m_bSelected = b; }
    bool GetIsSelected() const { return m_bSelected; }
    CPoint2D GetPt() const { return m_pt; }

    CPoint2D m_pt;
    CAxis* m_pAxis1;
    CAxis* m_pAxis2;
    bool m_bSelected = false;
};

class CAxises
{
public:
    CAxises() = default;
    CAxises(const CAxises&) = delete;
    CAxises& operator=(const CAxises&) = delete;

    // Adds a straight axis and recomputes the segments and crossing points (marks reset).
    CAxis* AddAxis(const CString& label, const CPoint2D& st, const CPoint2D& ed);
    void Clear();
    int GetAxisNum() const { return (int)m_axes.size(); }
    CAxis* GetAxis(int i) const { return m_axes[i].get(); } // from 0

    // Hit tests in client pixels of the view bound to the display; nothing is hit while the
    // axes are hidden. True when something was hit.
    bool PointSelect(CAxisDisplay& d, const CPoint2D& pt, std::list<CAxis*>& hits);
    bool WindowSelect(CAxisDisplay& d, const CRect2D& rc, std::list<CAxis*>& hits);
    bool CrossSelect(CAxisDisplay& d, const CRect2D& rc, std::list<CAxis*>& hits);
    bool PointSelectAxisSeq(CAxisDisplay& d, const CPoint2D& pt, std::list<CAxisSeq*>& hits);
    bool WindowSelectAxisSeq(CAxisDisplay& d, const CRect2D& rc, std::list<CAxisSeq*>& hits);
    bool CrossSelectAxisSeq(CAxisDisplay& d, const CRect2D& rc, std::list<CAxisSeq*>& hits);
    bool PointSelectAxisPt(CAxisDisplay& d, const CPoint2D& pt, std::list<CAxisPt*>& hits);
    bool WindowSelectAxisPt(CAxisDisplay& d, const CRect2D& rc, std::list<CAxisPt*>& hits);

    void SetIsSelect(bool b);
    void SetIsSelectAxisSeq(bool b);
    void SetIsSelectAxisPt(bool b);
    void GetSelectedAxises(std::vector<CAxis*>& out) const;
    void GetSelectedAxisSeq(std::vector<CAxisSeq*>& out) const;
    void GetSelectedAxisPt(std::vector<CAxisPt*>& out) const;
    // The segments that object snapping offers.
    void GetCurrentAxisSeqLine(std::vector<CAxisSeq*>& out) const;
    // Changes whenever the axes and so their segments change, so that a reader that keeps
    // the segments' geometry knows cheaply that it must look again.
    UINT_PTR GetEditCount() const { return m_nEdits; }

    // Pick tolerance in pixels.
    static constexpr double kTolerance = 5.0;

private:
    void Rebuild();
    std::vector<std::unique_ptr<CAxis>> m_axes;
    std::vector<std::unique_ptr<CAxisSeq>> m_seqs;
    std::vector<std::unique_ptr<CAxisPt>> m_pts;
    UINT_PTR m_nEdits = 0;
};

// Walks the axes in the order they were added.
class CAxisCIt
{
public:
    explicit CAxisCIt(const CAxises& axes) : m_axes(axes) {}
    void Begin() { m_i = 0; }
    bool IsEnd() const { return m_i >= m_axes.GetAxisNum(); }
    // Null at the end.
    CAxis* GetAxis() const { return IsEnd() ? nullptr : m_axes.GetAxis(m_i); }
    void Next() { ++m_i; }

private:
    const CAxises& m_axes;
    int m_i = 0;
};
