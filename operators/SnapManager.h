// Object snap: while a point-input operator runs, every mouse move looks for a model point
// near the cursor (a node, the end or mid point of an axis segment, the mid point of a
// member or of a wall's edge member, or the foot of the perpendicular from the last picked
// point) and marks it in exclusive-or mode. The host owns one CSnapManager.
#pragma once

#include <memory>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/geometry/geometry.h>
#include <vyr/model/struct/structure.h>

class CGlobalData;

// Kinds of snap targets.
enum
{
    SNAP_ENDPT = 0,
    SNAP_MIDPT = 1,
    SNAP_PERPT = 2,
    SNAP_KINDS = 3
};

class CSnapTarget
{
public:
    virtual ~CSnapTarget();
    // Tests the candidate a-b against the cursor (client pixels); on success the snapped
    // point is stored.
    virtual bool Snap(const CPoint& cursor, const CMeshNode& a, const CMeshNode& b) = 0;
    // The marker at the snapped point, with whatever pen the context holds.
    virtual void DrawMark(CDC* pDC) = 0;

    // The marker in its exclusive-or pen: drawing it twice leaves the screen as it was.
    void Draw(CDC* pDC);
    // The same marker at another point (the one shown before, to erase it).
    void DrawAt(CDC* pDC, const CPoint3D& at);

    // A new target of kind 0, 1 or 2; null for other kinds.
    static CSnapTarget* Create(int kind);

    int GetKind() const { return m_nKind; }
    void SetGlobalData(CGlobalData* data) { m_pGlobalData = data; }
    const CPoint3D& GetSnapPt() const { return m_ptSnap; }
    void SetReferPt(const CPoint3D& pt)
    {
        m_ptRefer = pt;
        m_bHasReferPt = true;
    }
    void SetHasReferPt(bool b) { m_bHasReferPt = b; }
    bool HasReferPt() const { return m_bHasReferPt; }
    const CPoint3D& GetReferPt() const { return m_ptRefer; }
    bool IsOn() const { return m_bOn; }
    void SetOn(bool on) { m_bOn = on; }
    void SaveOn() { m_bSavedOn = m_bOn; }
    void RestoreOn() { m_bOn = m_bSavedOn; }

    // Half the side of the square around the cursor in which a point snaps.
    static constexpr int kSnapBox = 12;
    // Half the side of a marker.
    static constexpr int kMarkSize = 6;

protected:
    friend class CSnapManager;
    explicit CSnapTarget(int kind);
    // The screen point of a model point under the model root's view.
    CPoint2D ToScreen(const CPoint3D& pt) const;
    // The square around the cursor: left and top inclusive, right and bottom exclusive.
    static CRect CursorSquare(const CPoint& cursor);

    int m_nKind;
    CGlobalData* m_pGlobalData;
    CPoint3D m_ptSnap;
    bool m_bHasReferPt;
    CPoint3D m_ptRefer;
    bool m_bOn;
    bool m_bSavedOn;
};

class CSnapEndPt : public CSnapTarget
{
public:
    CSnapEndPt() : CSnapTarget(SNAP_ENDPT) {}
    bool Snap(const CPoint& cursor, const CMeshNode& a, const CMeshNode& b) override;
    void DrawMark(CDC* pDC) override;
};

class CSnapMidPt : public CSnapTarget
{
public:
    CSnapMidPt() : CSnapTarget(SNAP_MIDPT) {}
    bool Snap(const CPoint& cursor, const CMeshNode& a, const CMeshNode& b) override;
    void DrawMark(CDC* pDC) override;
};

class CSnapPerPt : public CSnapTarget
{
public:
    CSnapPerPt() : CSnapTarget(SNAP_PERPT) {}
    bool Snap(const CPoint& cursor, const CMeshNode& a, const CMeshNode& b) override;
    void DrawMark(CDC* pDC) override;
};

class CSnapManager
{
public:
    CSnapManager();
    virtual ~CSnapManager();
    CSnapManager(const CSnapManager&) = delete;
    CSnapManager& operator=(const CSnapManager&) = delete;

    void Init(CGlobalData* data);
    // Switching off clears the refer point and forgets the snapped point (a click before
    // the next move takes nothing); a marker on the screen is erased.
    void Switch(bool on);
    bool IsSwitchOn() const { return m_bSwitchOn; }
    // 0 space point (all targets and candidates), 1 node (only nodes).
    void SetUseType(int type) { m_nUseType = type; }
    int GetUseType() const { return m_nUseType; }

    bool HasSnapped() const { return m_pCurTarget != nullptr; }
    // The snapped point plus the snap-from offset, which is asked for here (modal dialog).
    // Call it once when a point is taken, never while the mouse merely moves.
    CPoint3D GetPt() const;
    // The snapped point of the last move, without any offset and without asking.
    const CPoint3D& GetSnapPt() const { return m_ptSnap; }
    // The target that snapped at the last move, or null.
    CSnapTarget* GetCurTarget() const { return m_pCurTarget; }
    CSnapTarget* GetTarget(int kind) const;

    void MouseMove(const CPoint& cursor);
    // Draws the marker again after the host has repainted the view.
    void OnDraw(CDC* pDC);

    void SetReferPt(const CPoint3D& pt);
    bool HasReferPt() const { return m_bHasReferPt; }

    void SetSnapOn(bool on);
    void SetSnapOn(int kind, bool on);
    bool GetSnapOn(int kind) const;
    void SetSnapFrom(bool b) { m_bSnapFrom = b; }
    bool GetSnapFrom() const { return m_bSnapFrom; }
    // Temporary use: the targets' switches are saved and all switched off, so that single
    // targets can be switched on for the next pick; ending it gives the saved switches back.
    void SetIsTempUse(bool b);
    bool GetIsTempUse() const { return m_bTempUse; }

    // The marker on the screen now (after the last move or OnDraw): its target, or null,
    // and its point.
    CSnapTarget* GetMarkTarget() const { return m_pMarkTarget; }
    const CPoint3D& GetMarkPt() const { return m_ptMark; }

    // Pick box half size: a candidate line's box must overlap cursor +- this.
    static constexpr int kPickBox = 6;

    // For tests: whether the index, as the edits since it was built have kept it, holds the
    // same candidates in the same order as one built afresh from the host's lists now, and
    // finds the same ones for every cursor square over the view.
    bool IndexMatchesRebuilt();

protected:
    void SetHasReferPt(bool b);

private:
    // The candidates in the projection plane (the axes in client pixels); see SnapManager.cpp.
    struct Index;
    // The host's lists and what the index is keyed on, as they are at a move.
    struct Sources;
    Sources ReadSources(const CViewXform& xf) const;
    static void BuildIndex(Index& ix, const Sources& src, const CViewXform& xf);
    static void ReadAxes(Index& ix, const Sources& src, const CViewXform& xf);
    // Brings the index up to date with the host's lists and the view (followed edit by edit
    // where it can, built again otherwise, and whenever the snap is switched on for a new
    // input).
    Index& UpdateIndex(const CViewXform& xf);
    bool SearchNodes(const CPoint& cursor, Index& index);
    bool SearchAxes(const CPoint& cursor, Index& index);
    bool SearchMembers(const CPoint& cursor, Index& index);
    // Erases the shown marker and shows the current one, on the active view.
    void UpdateMark(CSnapTarget* oldTarget, const CPoint3D& oldPt);
    static CWnd* ActiveView();

    int m_nUseType;
    CGlobalData* m_pGlobalData;
    bool m_bSwitchOn;
    CSnapTarget* m_Targets[SNAP_KINDS];
    CSnapTarget* m_pCurTarget;
    CPoint3D m_ptSnap;
    bool m_bSnapFrom;
    bool m_bHasReferPt;
    bool m_bTempUse;

    CSnapTarget* m_pMarkTarget;
    CPoint3D m_ptMark;
    std::unique_ptr<Index> m_pIndex;
};
