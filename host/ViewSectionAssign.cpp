// Section assignment by picking: the finish callbacks of the section panel's two picking
// commands and the operations that set the sections of members and member chains.
#include <vyr/host/ViewSection.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <vyr/protocol/HostProtocol.h>
#include <vyr/model/output/creal.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/operators/OP.h>

namespace {

// Finds, for a new tapered section, the first section of the library in list order that is
// the same. Only sections of the same class can be the same, and the same ones have the same
// start and end heights within the section library's tolerance, so they are kept in buckets
// of those heights and only the neighbouring buckets are searched.
class CTaperReuse
{
public:
    explicit CTaperReuse(CSectionList* lib)
    {
        if (lib != nullptr)
            for (POSITION pos = lib->GetHeadPosition(); pos != nullptr;) {
                auto* s = static_cast<CSectionBase*>(lib->GetNext(pos));
                m_maxNo = std::max(m_maxNo, s->m_nNo);
                Added(s);
            }
    }

    // Appends a new section of possible dimensions with the next free number, as the
    // library's Add does, without Add's walks through the whole library for every section.
    void Adopt(CSectionList* lib, CSectionBase* s)
    {
        s->m_nNo = ++m_maxNo;
        lib->AddTail(s);
        Added(s);
    }

    CSectionBase* FindSame(CSectionBase* web)
    {
        const Entry* best = nullptr;
        auto consider = [&](const Entry& e) {
            if ((best == nullptr || e.pos < best->pos) && e.sec->IsSame(web))
                best = &e;
        };
        long long h = 0, eh = 0;
        if (Key(web, h, eh)) {
            for (long long i = h - 1; i <= h + 1; ++i)
                for (long long j = eh - 1; j <= eh + 1; ++j) {
                    auto it = m_buckets.find(Hash(i, j));
                    if (it == m_buckets.end())
                        continue;
                    for (const Entry& e : it->second)
                        consider(e);
                }
        } else {
            for (const auto& [hash, entries] : m_buckets)
                for (const Entry& e : entries)
                    consider(e);
        }
        for (const Entry& e : m_outsiders)
            consider(e);
        return best != nullptr ? best->sec : nullptr;
    }

    // A section appended to the library.
    void Added(CSectionBase* s)
    {
        const Entry e{m_count++, s};
        if (s->GetRuntimeClass() != RUNTIME_CLASS(CTaperVaryWeb))
            return;
        long long h = 0, eh = 0;
        if (Key(s, h, eh))
            m_buckets[Hash(h, eh)].push_back(e);
        else
            m_outsiders.push_back(e);
    }

private:
    struct Entry
    {
        size_t pos;
        CSectionBase* sec;
    };
    // Buckets of 0.01 cm: wider than the tolerance for heights below 100 m.
    static bool Key(CSectionBase* s, long long& h, long long& eh)
    {
        const double a = s->GetH(), b = s->GetEndH();
        if (!std::isfinite(a) || !std::isfinite(b) || std::fabs(a) > 1e4 || std::fabs(b) > 1e4)
            return false;
        h = (long long)std::floor(a * 100.0);
        eh = (long long)std::floor(b * 100.0);
        return true;
    }
    static std::uint64_t Hash(long long a, long long b)
    {
        return ((std::uint64_t)a << 32) ^ (std::uint64_t)(b & 0xFFFFFFFFll);
    }

    size_t m_count = 0;
    int m_maxNo = 0;
    std::unordered_map<std::uint64_t, std::vector<Entry>> m_buckets;
    std::vector<Entry> m_outsiders; // heights beyond the buckets' range
};

// A new plate set of the source's type with its dimensions.
CSDefineIbeam* CopyPlates(CSDefineIbeam* from)
{
    CSectionBase* made = CSectionBase::CreateSec(from->m_nType);
    auto* p = dynamic_cast<CSDefineIbeam*>(made);
    if (p == nullptr) {
        delete made;
        p = new CSDefineIbeam;
    }
    // The plate class's assignment takes the plate dimensions with the rest.
    *p = *from;
    return p;
}

void ComputePlates(CSDefineIbeam* p)
{
    CViewSection::ComputeIbeamFactors((float)(p->m_dH * 0.1), (float)(p->m_dT * 0.1), (float)(p->m_dB * 0.1),
                                      (float)(p->m_dTf * 0.1), (float)(p->m_dB1 * 0.1), (float)(p->m_dTf1 * 0.1), p);
    p->SetShearArea(4, p->m_dH, p->m_dT, p->m_dB, p->m_dTf, p->m_dB1, p->m_dTf1);
}

int SetTaperChain(CBeamList& chain, CSectionBase* pSec, CGlobalData* pData, bool bReverse, CTaperReuse& reuse)
{
    auto* taper = dynamic_cast<CTaperSectionBase*>(pSec);
    if (chain.IsEmpty() || taper == nullptr || pData == nullptr || pData->Struct() == nullptr)
        return 0;
    auto* q = dynamic_cast<CSDefineIbeam*>(taper->GetStartSec());
    auto* p = dynamic_cast<CSDefineIbeam*>(taper->GetEndSec());
    if (q == nullptr || p == nullptr)
        return 0;
    CSectionList* lib = pData->Struct()->m_pSectionList;
    auto* vary = dynamic_cast<CTaperVaryWeb*>(pSec);
    const int setting = vary != nullptr ? vary->m_nSetting : 0;

    CSDefineIbeam* cur = CopyPlates(q);
    ComputePlates(cur);
    cur->m_strKind = "首端截面";

    std::vector<CBeamBase*> members;
    for (POSITION pos = chain.GetHeadPosition(); pos != nullptr;)
        members.push_back(chain.GetNextT(pos));
    if (bReverse)
        std::reverse(members.begin(), members.end());
    double total = 0.0;
    for (CBeamBase* m : members)
        total += m->GetLength();

    int assigned = 0;
    double cum = 0.0;
    for (CBeamBase* m : members) {
        cum += m->GetLength();
        CSDefineIbeam* nxt = CopyPlates(q);
        nxt->m_pMaterial = pSec->m_pMaterial;
        // A chain of no length has no taper to follow: its members take the start plates.
        auto at = [&](double qx, double px) { return total > 0.0 ? CViewSection::GetVal(qx, px, cum, total) : qx; };
        nxt->m_dH = at(q->m_dH, p->m_dH);
        nxt->m_dB = at(q->m_dB, p->m_dB);
        nxt->m_dT = at(q->m_dT, p->m_dT);
        nxt->m_dTf = at(q->m_dTf, p->m_dTf);
        nxt->m_dB1 = at(q->m_dB1, p->m_dB1);
        nxt->m_dTf1 = at(q->m_dTf1, p->m_dTf1);
        ComputePlates(nxt);

        // The next member starts where this one ends; taken now, as a discarded section
        // releases its plate sets.
        CSDefineIbeam* next = CopyPlates(nxt);

        auto* web = new CTaperVaryWeb;
        web->m_nType = pSec->m_nType;
        web->m_pMaterial = pSec->m_pMaterial;
        web->m_nSetting = setting;
        web->SetStartSec(cur);
        web->SetEndSec(nxt);
        web->m_fTH = (float)cur->m_dH;
        web->m_fTT = (float)cur->m_dT;
        web->m_fTB = (float)cur->m_dB;
        web->m_fTTf = (float)cur->m_dTf;
        web->m_fTB1 = (float)nxt->m_dB1;
        web->m_fTTf1 = (float)nxt->m_dTf1;
        web->m_fEndH = (float)nxt->m_dH;
        web->FillSecName();
        web->FillSecFactors(cur);

        // The library takes no section of impossible dimensions: the member keeps what it had.
        CSectionBase* used = nullptr;
        if (web->IsDataValid()) {
            used = reuse.FindSame(web);
            if (used == nullptr && lib != nullptr) {
                reuse.Adopt(lib, web);
                used = web;
            }
        }
        if (used != web)
            delete web;
        if (used != nullptr) {
            used->m_pMaterial = pSec->m_pMaterial;
            m->m_bTaper = bReverse;
            CViewSection::SetSection(m, used, pData);
            ++assigned;
        }

        ComputePlates(next);
        next->m_strKind = "首端截面";
        cur = next;
    }
    // The last start plate set belongs to no section.
    delete cur;
    return assigned;
}

// Picked members on one line, in one direction.
struct CLineGroup
{
    CVector3D dir;
    CPoint3D pt;
    std::vector<CBeamBase*> members;
};

CPoint3D StartOf(const CBeamBase* b)
{
    return b->GetNode1() != nullptr ? b->GetNode1()->m_pt : CPoint3D();
}
CPoint3D EndOf(const CBeamBase* b)
{
    return b->GetNode2() != nullptr ? b->GetNode2()->m_pt : CPoint3D();
}

double Component(const CVector3D& v, int i)
{
    return i == 0 ? v.x : i == 1 ? v.y : v.z;
}
double Component(const CPoint3D& v, int i)
{
    return i == 0 ? v.x : i == 1 ? v.y : v.z;
}

// The order of the lines: by direction, then along the axes on which the lines differ.
bool LineBefore(const CLineGroup& a, const CLineGroup& b)
{
    if (a.dir < b.dir)
        return true;
    if (b.dir < a.dir)
        return false;
    const CVector3D& d = a.dir;
    const CVector3D p = b.pt - a.pt;
    bool haveT = false;
    double t0 = 0.0;
    for (int i = 0; i < 3; ++i) {
        const double dc = Component(d, i);
        if (CReal(dc) == CReal(0.0)) {
            const CReal ac(Component(a.pt, i)), bc(Component(b.pt, i));
            if (i == 2)
                return ac < bc;
            if (ac < bc)
                return true;
            if (bc < ac)
                return false;
            continue;
        }
        const double t = Component(p, i) / dc;
        if (!haveT) {
            haveT = true;
            t0 = t;
            continue;
        }
        if (i == 2)
            return CReal(t0) < CReal(t);
        if (CReal(t0) < CReal(t))
            return true;
        if (CReal(t0) > CReal(t))
            return false;
    }
    return false;
}

// Same direction, and the point lies on the group's line.
bool OnLine(const CLineGroup& g, const CVector3D& dir, const CPoint3D& pt)
{
    if (!(g.dir == dir))
        return false;
    const CVector3D p = pt - g.pt;
    return (p & g.dir).GetLength() <= CReal::kTolerance * std::max(1.0, p.GetLength());
}

// A merge sort: the line order is not a strict weak ordering (its equality has a
// tolerance), which the standard sorts require; merging needs no more than a comparison.
void SortLines(std::vector<CLineGroup>& v)
{
    if (v.size() < 2)
        return;
    std::vector<CLineGroup> left(std::make_move_iterator(v.begin()),
                                 std::make_move_iterator(v.begin() + (std::ptrdiff_t)(v.size() / 2)));
    std::vector<CLineGroup> right(std::make_move_iterator(v.begin() + (std::ptrdiff_t)(v.size() / 2)),
                                  std::make_move_iterator(v.end()));
    SortLines(left);
    SortLines(right);
    size_t i = 0, j = 0, k = 0;
    while (i < left.size() && j < right.size())
        v[k++] = LineBefore(right[j], left[i]) ? std::move(right[j++]) : std::move(left[i++]);
    while (i < left.size())
        v[k++] = std::move(left[i++]);
    while (j < right.size())
        v[k++] = std::move(right[j++]);
}

// Every picked member gets the section (null: none); answers how many were picked.
int SetPicked(CGlobalData* pData, CSectionBase* pSec)
{
    CBeamList& sel = pData->SelectBeamList();
    for (POSITION pos = sel.GetHeadPosition(); pos != nullptr;)
        CViewSection::SetSection(sel.GetNextT(pos), pSec, pData);
    return (int)sel.GetCount();
}

// The finish of both commands: message, selection cleared, host told.
void FinishAssignment(CGlobalData* pData, int count, int redraws)
{
    CString text;
    text.Format("%d根杆件截面布置成功！", count);
    for (int i = 0; i < redraws; ++i)
        VyrSendToHost(WM_UI_REDRAW);
    AfxMessageBox(text);
    CBeamList& sel = pData->SelectBeamList();
    sel.SetSelect(0);
    sel.RemoveAll();
    VyrSendToHost(WM_UI_MODELCHANGED);
    VyrSendToHost(WM_UI_REDRAW);
}

} // namespace

double CViewSection::GetVal(double a, double b, double c, double d)
{
    return b + (d - c) / d * (a - b);
}

void CViewSection::SetSection(CBeamBase* pBeam, CSectionBase* pSec, CGlobalData* pData)
{
    // Members in walls take their sections in the property grid, never by picking.
    if (pBeam == nullptr || !IsOrdinaryMember(pBeam))
        return;
    pBeam->SetSection(pSec, pData);
}

int CViewSection::SetSection(CBeamList& chain, CSectionBase* pSec, CGlobalData* pData, bool bReverse)
{
    CTaperReuse reuse(pData != nullptr && pData->Struct() != nullptr ? pData->Struct()->m_pSectionList : nullptr);
    return SetTaperChain(chain, pSec, pData, bReverse, reuse);
}

void CViewSection::ComputeIbeamFactors(float H, float T, float B, float Tf, float B1, float Tf1, CSDefineIbeam* pPlates)
{
    if (pPlates == nullptr)
        return;
    const double h = H, t = T, b = B, tf = Tf, b1 = B1, tf1 = Tf1;
    const double hw = h - tf - tf1;
    const double A = b * tf + b1 * tf1 + hw * t;
    const double yt = h - tf / 2.0;
    const double yw = tf1 + hw / 2.0;
    const double yc = (b1 * tf1 * tf1 / 2.0 + t * hw * yw + b * tf * yt) / A;
    const double I33 = t * hw * hw * hw / 12.0 + t * hw * (yw - yc) * (yw - yc) + b1 * tf1 * (yc - tf1 / 2.0) * (yc - tf1 / 2.0) +
                       b1 * tf1 * tf1 * tf1 / 12.0 + b * tf * (yt - yc) * (yt - yc) + b * tf * tf * tf / 12.0;
    const double I22 = tf * b * b * b / 12.0 + tf1 * b1 * b1 * b1 / 12.0 + hw * t * t * t / 12.0;
    pPlates->m_dA1 = A;
    pPlates->m_dI33 = I33;
    pPlates->m_dWx = I33 / std::max(yc, h - yc);
    pPlates->m_dix = std::sqrt(I33 / A);
    pPlates->m_dI22 = I22;
    pPlates->m_dWy = 2.0 * I22 / std::max(b, b1);
    pPlates->m_diy = std::sqrt(I22 / A);
    // The section library keeps the centroid in millimetres.
    pPlates->m_fXc = (float)(b / 2.0 * 10.0);
    pPlates->m_fYc = (float)(yc * 10.0);
    CString dims;
    dims.Format("%.0f(%.0f)*%.0f*%.0f*%.0f(%.0f)", B * 10.0, B1 * 10.0, H * 10.0, T * 10.0, Tf * 10.0, Tf1 * 10.0);
    pPlates->m_strKind = "尾端截面";
    pPlates->m_strCategory = "变截面";
    pPlates->m_strDim = dims;
    pPlates->m_strFull = CString("截面") + dims;
    pPlates->BuildStructure();
}

bool CViewSection::PickedAssignment(COP* pOP, const char* noRowMessage, CViewSection*& panel, CSectionBase*& s)
{
    panel = pOP != nullptr ? FromOPParam(pOP->GetParam()) : nullptr;
    if (panel == nullptr || panel->m_pGlobalData == nullptr)
        return false;
    if (panel->m_pGlobalData->SelectBeamList().IsEmpty()) {
        AfxMessageBox("请选择要布置截面的杆件！");
        return false;
    }
    CSectionRows& rows = panel->Rows();
    const int r = rows.SelectedRow();
    if (r < 0) {
        AfxMessageBox(noRowMessage);
        return false;
    }
    s = rows.RowSection(r);
    return true;
}

void CViewSection::AssignSection(COP* pOP)
{
    CViewSection* panel = nullptr;
    CSectionBase* s = nullptr;
    if (!PickedAssignment(pOP, "请在截面右侧对话框的列表中选择要布置的截面！", panel, s))
        return;
    CGlobalData* data = panel->m_pGlobalData;
    FinishAssignment(data, SetPicked(data, s), 1);
}

void CViewSection::AssignSectionTaper(COP* pOP)
{
    CViewSection* panel = nullptr;
    CSectionBase* s = nullptr;
    if (!PickedAssignment(pOP, "请在截面右侧对话框的列表中选择要布置的楔形截面！", panel, s))
        return;
    CGlobalData* data = panel->m_pGlobalData;
    if (s == nullptr) {
        FinishAssignment(data, SetPicked(data, nullptr), 2);
        panel->Rows().Refill();
        return;
    }
    auto* taper = dynamic_cast<CTaperSectionBase*>(s);
    if (s->m_nType <= 900 || s->m_nType >= 1000 || taper == nullptr ||
        dynamic_cast<CSDefineIbeam*>(taper->GetStartSec()) == nullptr ||
        dynamic_cast<CSDefineIbeam*>(taper->GetEndSec()) == nullptr) {
        AfxMessageBox("必须在列表中选择楔形截面进行布置！");
        return;
    }
    const bool reverse =
        AfxMessageBox("选择\"是\"，采用\"小头对首端，大头对尾端\"的形式；\r\n选择\"否\"，采用\"大头对首端，小头对尾端\"的形式",
                      MB_YESNO) == IDNO;

    // Groups by line, found by the tolerant equality of lines; members that only the single
    // assignment would skip (coupling beams, wall piers) make no tapered sections.
    CBeamList& sel = data->SelectBeamList();
    std::vector<CLineGroup> groups;
    std::unordered_set<CBeamBase*> seen;
    size_t lastGroup = 0;
    int others = 0;
    for (POSITION pos = sel.GetHeadPosition(); pos != nullptr;) {
        CBeamBase* m = sel.GetNextT(pos);
        if (m->toBeam() == nullptr && m->toSubBeam() == nullptr) {
            ++others;
            continue;
        }
        if (!seen.insert(m).second)
            continue;
        const CVector3D dir = m->GetVector1();
        const CPoint3D pt = StartOf(m);
        size_t found = groups.size();
        if (lastGroup < groups.size() && OnLine(groups[lastGroup], dir, pt))
            found = lastGroup;
        else
            for (size_t i = 0; i < groups.size(); ++i)
                if (OnLine(groups[i], dir, pt)) {
                    found = i;
                    break;
                }
        if (found == groups.size())
            groups.push_back(CLineGroup{dir, pt, {}});
        groups[found].members.push_back(m);
        lastGroup = found;
    }
    SortLines(groups);

    CTaperReuse reuse(data->Struct()->m_pSectionList);
    int assigned = 0;
    for (CLineGroup& g : groups) {
        // Along the line's direction, so that consecutive members meet end to start whatever
        // way the line runs.
        auto along = [&g](const CPoint3D& p) { return (p - g.pt) | g.dir; };
        std::stable_sort(g.members.begin(), g.members.end(), [&](CBeamBase* a, CBeamBase* b) {
            const double sa = along(StartOf(a)), sb = along(StartOf(b));
            if (sa != sb)
                return sa < sb;
            return along(EndOf(a)) < along(EndOf(b));
        });
        CBeamList chain;
        CBeamBase* prev = nullptr;
        for (CBeamBase* m : g.members) {
            if (prev != nullptr && !(EndOf(prev) == StartOf(m))) {
                assigned += SetTaperChain(chain, s, data, reverse, reuse);
                chain.RemoveAll();
            }
            chain.AddTail(m);
            prev = m;
        }
        assigned += SetTaperChain(chain, s, data, reverse, reuse);
    }
    // Members whose tapered section the library refused keep theirs and are not counted.
    FinishAssignment(data, assigned + others, 2);
    panel->Rows().Refill();
}
