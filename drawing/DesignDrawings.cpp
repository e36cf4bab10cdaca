// The design drawings of the export: the members' design settings and design results and
// the nodes' panel-zone results; and the frame the item drawings share (one file per chosen
// item of a combo and scope, texts placed along the members).
#include <vector>

#include <vyr/drawing/DlgDrawResult.h>
#include <vyr/model/dxf/DXFOutput.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/model/struct/Support.h>
#include <vyr/resources/dialogs/DrawResultRes.h>

namespace {
// A value at or below this is not shown (unset values are -1).
constexpr float kShown = 0.001f;

CString Join(const std::vector<CString>& parts)
{
    CString out;
    for (size_t i = 0; i < parts.size(); ++i)
        out += (i > 0 ? " - " : "") + parts[i];
    return out;
}
} // namespace

// ---- the frame ----

void CDlgDrawResult::WriteDrawing(const CString& file, const CString& templateFile, COutputContentBase& scope,
                                  const std::function<void(CDXFOutput&, double)>& draw)
{
    CDXFOutput dxf;
    StartDrawing(dxf, templateFile, file);
    FigureOf(dxf, scope);
    dxf.SetCurrentLayer("TEXT");
    draw(dxf, 0.025 * scope.GetMaxBeamLength());
    CheckDrawing(dxf, file);
}

int CDlgDrawResult::GenItemDrawings(int box, int combo, const char* category, const char* single, bool pollFirst,
                                    const ItemDrawer& draw)
{
    const CString templateFile = GetTemplateFile();
    if (!IsChecked(box))
        return 1;
    for (int i = 0; i < ScopeCount(); ++i) {
        COutputContentBase& scope = ScopeAt(i);
        const CString folder = CategoryFolder(scope, category);
        std::vector<std::pair<int, CString>> items;
        if (combo == 0) {
            items.emplace_back(1, CString(single));
        } else {
            // Item 0 "全部" stands for every other item.
            const int chosen = GetComboSel(combo) - 1, count = GetComboCount(combo) - 1;
            for (int k = 0; k < count; ++k)
                if (chosen == -1 || chosen == k)
                    items.emplace_back(k + 1, GetComboString(k + 1, combo));
        }
        for (const auto& [item, name] : items) {
            const CString file = folder + "\\" + FolderName(name) + ".dxf";
            WriteDrawing(file, templateFile, scope, [&](CDXFOutput& dxf, double h) { draw(dxf, scope, item, name, h); });
            if (!pollFirst)
                StepProgress();
            if (ExitOutput(this) == 1)
                return 0;
            if (pollFirst)
                StepProgress();
        }
    }
    return 1;
}

void CDlgDrawResult::MemberPlace(CBeamBase* b, CPoint3D& mid, double& angle)
{
    const CPoint3D& a = b->GetNode1()->m_pt;
    const CPoint3D& e = b->GetNode2()->m_pt;
    mid = (DrawingPoint(a) + DrawingPoint(e)) / 2.0;
    angle = MemberAngle(a, e);
}

CString CDlgDrawResult::Num3(double v) { return CStringFunc::GetStrFromDouble(v, 3); }

CString CDlgDrawResult::ValueList(std::initializer_list<float> values)
{
    std::vector<CString> parts;
    for (float v : values)
        if (v > kShown)
            parts.push_back(Num3(v));
    return Join(parts);
}

// ---- design settings ----

int CDlgDrawResult::Gen_Design_Prop()
{
    return GenItemDrawings(IDC_DRAW_DESIGNPROP, IDC_DRAW_DESIGNPROP_ITEM, "设计属性与结果", nullptr, false,
                           [this](CDXFOutput& dxf, COutputContentBase& scope, int item, const CString&, double h) {
                               DrawDesignProp(dxf, scope, item, h);
                           });
}

void CDlgDrawResult::DrawDesignProp(CDXFOutput& dxf, COutputContentBase& scope, int item, double h)
{
    dxf.SetTextAlign(6, 8);
    // The last item is the nodes' by its place, whatever its text.
    if (item == 14) {
        dxf.SetText(h, 0.0);
        std::set<CPoint2D> used;
        for (POSITION pos = scope.m_NodeList.GetHeadPosition(); pos != nullptr;) {
            CPNode* n = scope.m_NodeList.GetNextT(pos);
            if (FirstAtPlace(used, n->m_pt))
                NodeText(dxf, n->m_pt, n->GetNodeDomainTypeDescription());
        }
        return;
    }
    for (POSITION pos = scope.m_BeamList.GetHeadPosition(); pos != nullptr;) {
        CBeamBase* b = scope.m_BeamList.GetNextT(pos);
        if (b->GetNode1() == nullptr || b->GetNode2() == nullptr)
            continue;
        CPoint3D mid;
        double angle = 0.0;
        MemberPlace(b, mid, angle);
        dxf.SetText(h, angle * kRadToDeg);
        PutText(dxf, mid, b->GetDParaDescripiton(item - 1));
    }
}

// ---- design results ----

int CDlgDrawResult::Gen_Design_Result()
{
    return GenItemDrawings(IDC_DRAW_DESIGNRESULT, IDC_DRAW_DESIGNRESULT_ITEM, "设计属性与结果", nullptr, false,
                           [this](CDXFOutput& dxf, COutputContentBase& scope, int item, const CString&, double h) {
                               DrawDesignResult(dxf, scope, item, h);
                           });
}

int CDlgDrawResult::DesignResultLines(CBeamBase* b, int item, float u, const CHECK_LIMIT& limit, CString& above,
                                      CString& below)
{
    above.Empty();
    below.Empty();
    if (item == 1 && b->IsConcreteBeam()) {
        const CConcreteDesignResult* c = b->m_pConcreteResult;
        if (c == nullptr) {
            above = "未设计";
            return 1;
        }
        // Group g (from 1), area k (0 first, 1 second), in display units; zeros shown too.
        auto A = [&](int g, int k) { return Num3((double)c->fArea[g - 1][k] * u * u); };
        switch (b->GetType()) {
        case 2:
            above = A(1, 0) + " - " + A(2, 1) + " - " + A(3, 0) + " - G" + A(4, 0);
            below = A(1, 1) + " - " + A(2, 0) + " - " + A(3, 1) + " - VT" + A(5, 0) + " - " + A(5, 1);
            return 2;
        case 1:
            above = A(3, 0) + " - " + A(1, 0) + " - " + A(2, 0);
            return 1;
        case 11:
        case 12:
            above = A(1, 0) + " - " + A(2, 0);
            return 1;
        default:
            return 0;
        }
    }
    const CheckResult* r = b->m_pCheckResult;
    if (r == nullptr) {
        above = "未验算";
        return 1;
    }
    switch (item) {
    case 1: {
        const int type = b->GetType();
        float x2 = -1.0f, x3 = -1.0f, x4 = -1.0f;
        if (type == 2 || type == 5) {
            if (b->GetBeamDesignType() != 0)
                x2 = r->GetMaxStableRatio();
            x3 = r->GetMaxConStressRatio();
        } else {
            x2 = r->fRatio[0];
            x3 = r->fRatio[1];
            if (type == 1)
                x4 = b->GetAxialRatio();
        }
        above = ValueList({r->GetMaxStrengthRatio(), x2, x3, x4});
        return 1;
    }
    case 2: {
        const bool limited[3] = {b->GetDLLimit() > 0, b->GetLLimit() > 0, b->GetOtherLimit() > 0.0f};
        std::vector<CString> ratios, fractions;
        for (int k = 0; k < 3; ++k) {
            // A fraction of 0 has no reciprocal: its pair is left out.
            if (!limited[k] || !(r->fDeformRatio[k] > kShown) || !(r->fDeform[k] > 0.0f))
                continue;
            ratios.push_back(Num3(r->fDeformRatio[k]));
            fractions.push_back("1/" + Num3(r->GetDeformDenominator(k)));
        }
        above = Join(ratios);
        below = Join(fractions);
        return 2;
    }
    case 3: {
        const float* c = r->fDetail;
        std::vector<CString> parts;
        for (int k = 0; k < 2; ++k)
            if (c[k] > kShown)
                parts.push_back(Num3(c[k]) + (c[k + 2] > kShown ? "/" + Num3(c[k + 2]) : CString()));
        for (int k = 4; k < 6; ++k)
            if (c[k] > kShown)
                parts.push_back(Num3(c[k]));
        above = Join(parts);
        return 1;
    }
    case 4: {
        const float r1 = r->GetMaxCapacityRatio(), r2 = r->GetMaxDispRatio(), r3 = r->GetMaxConstructRatio();
        above = ValueList({r1, r2, r3});
        const bool fails = r1 - limit.CapacityLimit > kShown || r2 - limit.DispLimit > kShown ||
                           r3 - limit.ConstructLimit > kShown;
        below = fails ? "不通过" : "通过";
        return 2;
    }
    default:
        return 0;
    }
}

void CDlgDrawResult::DrawDesignResult(CDXFOutput& dxf, COutputContentBase& scope, int item, double h)
{
    if (item >= 5) {
        dxf.SetTextAlign(6, 8);
        dxf.SetText(h, 0.0);
        std::set<CPoint2D> used;
        for (POSITION pos = scope.m_NodeList.GetHeadPosition(); pos != nullptr;) {
            CPNode* n = scope.m_NodeList.GetNextT(pos);
            // The place is taken also by a node without a record.
            if (!FirstAtPlace(used, n->m_pt) || n->m_pChecker == nullptr)
                continue;
            const CPNodeChecker& c = *n->m_pChecker;
            const CString text =
                item == 5 ? ValueList({c.GetPanelRatio(1), c.GetPanelRatio(2), c.GetPanelRatio(5), c.GetPanelRatio(6),
                                       c.GetPanelRatio(3), c.GetPanelRatio(4)})
                          : ValueList({c.GetPColRatio(1), c.GetPColRatio(2)});
            NodeText(dxf, n->m_pt, text);
        }
        return;
    }
    const float u = m_pGlobalData != nullptr ? m_pGlobalData->UnitLength() : 1.0f;
    for (POSITION pos = scope.m_BeamList.GetHeadPosition(); pos != nullptr;) {
        CBeamBase* b = scope.m_BeamList.GetNextT(pos);
        if (b->GetSection() == nullptr || b->GetNode1() == nullptr || b->GetNode2() == nullptr)
            continue;
        CString above, below;
        const int lines = DesignResultLines(b, item, u, GetCheckLimit(), above, below);
        if (lines == 0)
            continue;
        CPoint3D mid;
        double angle = 0.0;
        MemberPlace(b, mid, angle);
        dxf.SetText(h, angle * kRadToDeg);
        dxf.SetTextAlign(6, 8);
        PutText(dxf, mid, above);
        if (lines > 1) {
            dxf.SetTextAlign(6, 0);
            PutText(dxf, mid, below);
        }
    }
}
