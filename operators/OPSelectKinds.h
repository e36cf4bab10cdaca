// The selection operators of one kind of model object held in a selection list of the
// model root: members, nodes, rooms, walls and the coupling beams and piers in walls. One
// implementation serves all five; each kind is a row of the table of kinds.
#pragma once

#include <memory>

#include <vyr/operators/OPSelect.h>

class CBeamBase;
class CBeamList;
class CPNode;
class CPNodeList;
class CPlane;
class CPlaneList;
class CWall;
class CWallList;

// How the operators reach, hit-test and mark the objects of one listed kind.
struct CSelectKindRow
{
    UINT hostMessage;    // WM_UI_GETSHOWNLIST or WM_UI_GETSNAPLIST
    WPARAM hostKind;     // its wParam
    CObList* (*newList)();
    void (*point)(CGlobalData&, CObList& shown, const CPoint2D& pt, CObList& hits);
    void (*window)(CGlobalData&, CObList& shown, const CRect2D& rc, CObList& hits);
    void (*cross)(CGlobalData&, CObList& shown, const CRect2D& rc, CObList& hits); // null: by window
    CObList& (*selection)(CGlobalData&);
    bool (*isOwn)(CObject*); // which objects of the selection list are the kind's; null: all
    void (*mark)(CObject*, bool);
    bool (*isMarked)(CObject*);
    void (*markList)(CObList&, bool);
    const char* panel;
    int dlgKind; // object kind code of the property dialog
};

namespace vyrselect {
extern const CSelectKindRow kBeamRow;    // ordinary members and secondary beams
extern const CSelectKindRow kAnyBeamRow; // every member of the member selection
extern const CSelectKindRow kNodeRow;
extern const CSelectKindRow kPlaneRow;
extern const CSelectKindRow kWallRow;
extern const CSelectKindRow kBCInWallRow;

// The host's displayed (or pickable) list of the kind; the host must answer.
CObList& HostList(const CSelectKindRow& row);
// The first object of the kind under a client point, or null.
CObject* FirstUnder(const CSelectKindRow& row, CGlobalData& data, const CPoint2D& point);
// Opens the host's property dialog on one object and shows the kind's panel.
void OpenProperties(const CSelectKindRow& row, CGlobalData& data, CObject* object);
} // namespace vyrselect

// A listed kind as one side of a selection operator: the candidates are a list of the
// kind's list class; selecting marks an object and appends it to the selection list.
class CListSide : public CSelectSide
{
public:
    CListSide(const CSelectKindRow& row, CObList& hits) : m_row(row), m_hits(hits) {}

    void HitPoint(CGlobalData& data, const CPoint2D& point) override;
    void HitRect(CGlobalData& data, const CRect2D& normalised, bool window) override;
    int Count() const override { return (int)m_hits.GetCount(); }
    void ClearCandidates() override { m_hits.RemoveAll(); }
    void KeepUnselectedCandidates(CGlobalData& data) override;
    bool Apply(CGlobalData& data, bool exclude) override;
    void Select(CGlobalData& data, int index) override;
    void Deselect(CGlobalData& data, int index) override;
    void Invert(CGlobalData& data, int index) override;
    bool AnySelected(CGlobalData& data) const override;
    void ClearSelection(CGlobalData& data) override;
    const char* Panel() const override { return m_row.panel; }

    CObject* At(int index) const;

private:
    const CSelectKindRow& m_row;
    CObList& m_hits;
};

// What sets one single-kind operator apart from the others.
struct CSelectKindInfo
{
    const char* type;
    const char* desc;
    const char* failMessage; // IsSuccess
    const char* confirm;     // tool-tip head of a command
    const CSelectKindRow* row;
};

// The shared body of the five single-kind operators.
class COPSelectOneKind : public COPSelect
{
public:
    explicit COPSelectOneKind(const CSelectKindInfo& info);
    COPSelectOneKind(const COPSelectOneKind& o);
    COPSelectOneKind& operator=(const COPSelectOneKind& o);
    ~COPSelectOneKind() override;

    CString GetType() const override { return m_info.type; }
    CString GetDesc() const override { return m_info.desc; }

    // The current candidate while cycling (null otherwise).
    CObject* GetCycleCur() const { return m_bCycle ? m_pCycleCur : nullptr; }
    int GetHitCount() const { return (int)m_listHit->GetCount(); }

protected:
    void PointSelect() override;
    void RectSelect() override;
    bool DealSelect(UINT flags) override;
    bool IsSuccess() override;
    void EmptySelection() override;
    void CancelCtrl() override;
    void ConfirmCtrl() override;
    CString GetToolTipHead() override { return ConfirmHead(m_info.confirm); }
    bool DblClick() override;

    const CSelectKindInfo& m_info;
    std::unique_ptr<CObList> m_listHit; // of the kind's list class
    CObject* m_pCycleCur;

private:
    int CycleIndex() const;
};

// Declares one single-kind operator: construction, copies, the factory function.
#define VYR_SELECT_ONE_KIND(cls)                                                           \
    class cls : public COPSelectOneKind                                                    \
    {                                                                                      \
        DECLARE_VYROP(cls)                                                                 \
    public:                                                                                \
        cls();                                                                             \
        cls(const cls& o) = default;                                                       \
        cls& operator=(const cls& o) = default;                                            \
        ~cls() override = default;                                                         \
        bool operator==(const cls& o) const { return COP::operator==(o); }                 \
        bool operator!=(const cls& o) const { return !(*this == o); }                      \
        CObj* Clone() const override { return new cls(*this); }                            \
        void CopyFrom(const CObj& other) override;                                         \
        static const CSelectKindInfo& Info();                                              \
        VYR_SELECT_ONE_KIND_EXTRA                                                          \
    };

#define VYR_SELECT_ONE_KIND_EXTRA
VYR_SELECT_ONE_KIND(COPSelectBeam)
VYR_SELECT_ONE_KIND(COPSelectPlane)
VYR_SELECT_ONE_KIND(COPSelectWall)
VYR_SELECT_ONE_KIND(COPSelectBCInWall)
#undef VYR_SELECT_ONE_KIND_EXTRA
// Nodes are always selected by window, so their frame is always solid.
#define VYR_SELECT_ONE_KIND_EXTRA \
protected:                        \
    bool IsFrameSolid() const override { return true; }
VYR_SELECT_ONE_KIND(COPSelectNode)
#undef VYR_SELECT_ONE_KIND_EXTRA
