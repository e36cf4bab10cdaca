// A plane subdivision of the graphics library: its vertices, edges and regions, kept in
// lists of shared pointers.
#pragma once

#include <vyr/stdafx.h>

#include <vyr/model/draw/SmartPtr.h>
#include <vyr/model/geometry/geometry.h>

class CVertex
{
public:
    CVertex() = default;
    explicit CVertex(const CPoint3D& p) : m_pt(p) {}
    virtual ~CVertex() {}

    const CPoint3D& GetPoint() const { return m_pt; }
    void SetPoint(const CPoint3D& p) { m_pt = p; }
    double GetData() const { return m_data; }
    void SetData(double d) { m_data = d; }

private:
    CPoint3D m_pt;
    double m_data = 0.0;
};

class CEdge
{
public:
    CEdge() = default;
    CEdge(const CSmartPtr<CVertex>& a, const CSmartPtr<CVertex>& b) : m_start(a), m_end(b) {}
    // Copies every member; the vertex pointers become shared copies.
    CEdge(const CEdge& e) : m_n(e.m_n), m_start(e.m_start), m_end(e.m_end), m_data(e.m_data) {}
    CEdge& operator=(const CEdge&) = default;
    virtual ~CEdge() {}

    const CSmartPtr<CVertex>& GetStart() const { return m_start; }
    const CSmartPtr<CVertex>& GetEnd() const { return m_end; }
    double GetData() const { return m_data; }
    void SetData(double d) { m_data = d; }

private:
    int m_n = 0;
    CSmartPtr<CVertex> m_start;
    CSmartPtr<CVertex> m_end;
    double m_data = 0.0;
};

class CRegion
{
public:
    CRegion() = default;
    virtual ~CRegion() {}

    int GetRegionType() const { return m_type; }
    void SetRegionType(int t) { m_type = t; }
    CPoint3D GetOnePoint() const { return m_pt; }
    void SetOnePoint(const CPoint3D& p) { m_pt = p; }
    double GetData() const { return m_data; }
    void SetData(double d) { m_data = d; }
    int GetSelect() const { return m_select; }
    void SetSelect(int s) { m_select = s; }

private:
    int m_type = 0;
    CPoint3D m_pt;
    double m_data = 0.0;
    int m_select = 0;
};

class CPlane3D
{
public:
    typedef CList<CSmartPtr<CVertex>, const CSmartPtr<CVertex>&> CVertexList;
    typedef CList<CSmartPtr<CEdge>, const CSmartPtr<CEdge>&> CEdgeList;
    typedef CList<CSmartPtr<CRegion>, const CSmartPtr<CRegion>&> CRegionList;

    CPlane3D() = default;
    CPlane3D(const CPlane3D&) = delete;
    CPlane3D& operator=(const CPlane3D&) = delete;
    virtual ~CPlane3D() {}

    int GetVexNum() const { return (int)m_vexs.GetCount(); }
    int GetEdgeNum() const { return (int)m_edges.GetCount(); }
    int GetRegionNum() const { return (int)m_regions.GetCount(); }
    POSITION GetFirstVex() const { return m_vexs.GetHeadPosition(); }
    POSITION GetFirstEdge() const { return m_edges.GetHeadPosition(); }
    POSITION GetFirstRegion() const { return m_regions.GetHeadPosition(); }
    CSmartPtr<CVertex> GetNextVex(POSITION& pos) const { return m_vexs.GetNext(pos); }
    CSmartPtr<CEdge> GetNextEdge(POSITION& pos) const { return m_edges.GetNext(pos); }
    CSmartPtr<CRegion> GetNextRegion(POSITION& pos) const { return m_regions.GetNext(pos); }

    void AddVex(CSmartPtr<CVertex> v) { Add(m_vexs, v); }
    void AddEdge(CSmartPtr<CEdge> e) { Add(m_edges, e); }
    // Regions enter through the library's subdivision; this is its way in.
    void AddRegion(CSmartPtr<CRegion> r) { Add(m_regions, r); }
    void RemoveVex(CSmartPtr<CVertex> v) { Remove(m_vexs, v); }
    void RemoveEdge(CSmartPtr<CEdge> e) { Remove(m_edges, e); }

    // The n-th region counted from 1; n of 1 or less gives the first. n beyond the count
    // is refused.
    CSmartPtr<CRegion> GetRegion(int n) const
    {
        VYR_CHECK(n <= GetRegionNum() && GetRegionNum() > 0, "CPlane3D::GetRegion beyond the regions");
        POSITION pos = m_regions.GetHeadPosition();
        for (int i = 1; i < n; ++i) m_regions.GetNext(pos);
        return m_regions.GetAt(pos);
    }

private:
    template <class L, class P>
    static void Add(L& list, const P& p)
    {
        POSITION pos = list.AddTail(p);
        list.GetAt(pos).SetOwner(&list);
    }
    template <class L, class P>
    static void Remove(L& list, const P& p)
    {
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            POSITION cur = pos;
            if (list.GetNext(pos).IsSame(p)) {
                list.RemoveAt(cur);
                // The last element gone: give the storage blocks back as well.
                if (list.IsEmpty()) list.RemoveAll();
                return;
            }
        }
    }

    CVertexList m_vexs;
    CEdgeList m_edges;
    CRegionList m_regions;
};
