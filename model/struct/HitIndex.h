// The index behind the model root's hit tests over one large candidate list (members, or
// nodes): the candidates' end points in the projection plane in flat arrays, and a grid
// over their boxes there. A pan or a zoom changes only the plane-to-screen step, so the
// index stays valid; a turn of the space view builds it again. Node moves, members added at
// the tail and members removed are followed edit by edit; anything else builds it again.
// The index only names candidates: every answer is decided by the same screen-space test
// the plain scan makes, on the same numbers, so it hits exactly what the scan hits.
#pragma once

#include <cstdint>
#include <vector>

#include <vyr/model/geometry/geometry.h>
#include <vyr/model/struct/BoxGrid.h>
#include <vyr/model/struct/HitGeom.h>
#include <vyr/model/struct/ListWatch.h>
#include <vyr/model/struct/NodeEnds.h>
#include <vyr/model/struct/ViewXform.h>

class CObList;
class CObject;
class CPNodeBase;

class CHitIndex
{
public:
    enum Kind
    {
        MEMBERS, // CBeamBase items, two end nodes each
        NODES    // CPNode items
    };
    explicit CHitIndex(Kind kind) : m_kind(kind) {}

    // Makes the index one of another list (of the kind), keeping its storage.
    void Reset(Kind kind)
    {
        m_kind = kind;
        m_bBuilt = false;
        m_watch.Reset();
    }
    Kind GetKind() const { return m_kind; }
    uint64_t GetSerial() const { return m_nSerial; }

    // Brings the index up to date with the list (of the kind; serial from GetSerial()) and
    // the view's space transformation.
    void Update(const CObList& list, uint64_t serial, const CViewXform& v);

    // The entries, in list order, whose screen box under v may touch the screen box `box`
    // (client pixels, normalised); the caller decides each one. Valid until the next call.
    const std::vector<int>& Candidates(const CViewXform& v, const vyr_hit::Box& box);

    // The object listed at an entry (null when the list holds a null there), whether it has
    // points at all (a member without both nodes never hits), and its end points in the
    // projection plane (a node's twice).
    CObject* Item(int id) const { return m_items[(size_t)id]; }
    bool HasPoints(int id) const { return m_grid.IsLive(id); }
    const CPoint2D& Plane1(int id) const { return m_p1[(size_t)id]; }
    const CPoint2D& Plane2(int id) const { return m_p2[(size_t)id]; }

    // The box in the projection plane that holds every point the plane-to-screen step of v
    // may put in the screen box, rounding in either direction included (everything when the
    // step cannot be undone).
    static CBoxGrid::Box ScreenToPlane(const CViewXform& v, const vyr_hit::Box& box);

private:
    void Rebuild(const CViewXform& v);
    // Appends the entry of an object; true when it has points.
    bool AddEntry(CObject* o, const CViewXform& v);
    // The entry's plane points read again from its nodes.
    void ReadPoints(int id, const CViewXform& v);
    CBoxGrid::Box EntryBox(int id) const;
    void FollowMoves(const CViewXform& v);

    Kind m_kind;
    uint64_t m_nSerial = 0;
    bool m_bBuilt = false;
    double m_m3[16] = {};
    long m_nMoves = 0;
    CListWatch m_watch;

    // Entries: ids only grow (list order); a removed entry stays as a hole until the next
    // build. m_order[p] is the entry of the list's item p.
    std::vector<CObject*> m_items;
    std::vector<CPoint2D> m_p1, m_p2;
    std::vector<int> m_order;
    CNodeEnds m_ends;
    CBoxGrid m_grid;
    std::vector<int> m_found; // kept from query to query: a window over a million fills it
};
