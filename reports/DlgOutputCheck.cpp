#include <vyr/reports/DlgOutputCheck.h>

#include <map>
#include <string>
#include <vector>

#include <vyr/controls.h>
#include <vyr/ddx.h>
#include <vyr/gbk.h>
#include <vyr/model/section/SectionBase.h>
#include <vyr/model/struct/Member.h>
#include <vyr/protocol/ReportHead.h>
#include <vyr/resources/dialogs/CheckReportRes.h>

namespace {

using ResultCall = bool (CBeamBase::*)(std::vector<CReal>&, std::vector<CString>&) const;

// One family of results: where it reads them, which of the six items it shows, the members
// it takes and its three tables (every member, the worst per section, the worst of all).
struct CFamily
{
    ResultCall call;
    const char* const* heads; // the six item names
    int first, count;         // the items shown
    int width;                // their column width
    bool (*takes)(const CBeamBase*);
    const char* titles[3];
};

const char* const kCapacityHeads[6] = {"正应力", "2轴剪应力", "3轴剪应力", "组合应力", "2轴整稳", "3轴整稳"};
const char* const kDispHeads[6] = {"梁D+L变形", "梁L变形", "梁坡度改变", "X向柱顶位移", "Y向柱顶位移", "柱轴压比"};
const char* const kConstructHeads[6] = {"静力翼缘", "静力腹板", "地震翼缘", "地震腹板", "2轴长细比", "3轴长细比"};

bool AnyMember(const CBeamBase*) { return true; }
bool IsBeam(const CBeamBase* m) { return m->GetType() == 2 || m->GetType() == 5; }
bool IsColumn(const CBeamBase* m) { return m->GetType() == 1 || m->GetType() == 9; }

const CFamily kCapacity{&CBeamBase::GetCapacityCheckResult, kCapacityHeads, 0, 6, 15, AnyMember,
                        {"每根构件承载力验算结果列表", "按截面构件承载力最不利统计", "所有构件承载力最不利统计"}};
const CFamily kBeamDisp{&CBeamBase::GetDispCheckResult, kDispHeads, 0, 3, 30, IsBeam,
                        {"每根梁变形验算结果列表", "按截面梁变形最不利统计", "所有梁变形最不利统计"}};
const CFamily kColumnDisp{&CBeamBase::GetDispCheckResult, kDispHeads, 3, 3, 30, IsColumn,
                          {"每根柱变形与轴压比验算结果列表", "按截面柱变形与轴压比最不利统计",
                           "所有柱变形与轴压比最不利统计"}};
const CFamily kConstruct{&CBeamBase::GetConstructCheckResult, kConstructHeads, 0, 6, 15, AnyMember,
                         {"每根构件局稳与长细比验算结果列表", "按截面构件局稳与长细比最不利统计",
                          "所有构件局稳与长细比最不利统计"}};

// Ratios at or below this have no worst member; a later member takes an item only when it
// is worse by more than the margin, so the earlier one keeps a tie.
constexpr double kRatioFloor = 0.001;
constexpr double kRatioMargin = 0.0001;

// The worst ratio of each item and the member that holds it (null: none).
struct CWorst
{
    double ratio[6] = {};
    CBeamBase* holder[6] = {};

    void Take(const double* r, CBeamBase* m)
    {
        for (int k = 0; k < 6; ++k)
            if (r[k] > kRatioFloor && r[k] - ratio[k] > kRatioMargin) {
                ratio[k] = r[k];
                holder[k] = m;
            }
    }
};

struct CSectionWorst : CWorst
{
    CString name;
};

CString Label(CBeamBase* m)
{
    CString s;
    s.Format("%s%s", m->GetTypeDescription().GetString(), m->GetNumberText().GetString());
    return s;
}

// A family gathered in one pass: the rows by label and the worst per section by short
// name, both in ascending order of their GBK bytes, and the worst of all.
struct CGathered
{
    std::map<std::string, CBeamBase*> rows;
    std::map<std::string, CSectionWorst> sections;
    CWorst all;
};

void Gather(const CFamily& f, CBeamList& members, bool withRows, CGathered& g)
{
    std::vector<CReal> ratios(6);
    std::vector<CString> texts(6);
    for (POSITION pos = members.GetHeadPosition(); pos != nullptr;) {
        CBeamBase* m = members.GetNextT(pos);
        if (!m->GetSection() || !f.takes(m))
            continue;
        for (int k = 0; k < 6; ++k) {
            ratios[(size_t)k] = 0.0;
            texts[(size_t)k].Empty();
        }
        if (!(m->*f.call)(ratios, texts))
            continue;
        double r[6] = {};
        for (int k = 0; k < f.count; ++k)
            r[k] = ratios[(size_t)(f.first + k)].toD();
        if (withRows)
            g.rows[vyr::Utf8ToGbk(Label(m).str())] = m;
        const CString name = m->GetSection()->GetSimpleSecName();
        auto [it, fresh] = g.sections.try_emplace(vyr::Utf8ToGbk(name.str()));
        if (fresh) {
            it->second.name = name;
            for (int k = 0; k < 6; ++k) {
                it->second.ratio[k] = r[k];
                it->second.holder[k] = r[k] > kRatioFloor ? m : nullptr;
            }
        } else {
            it->second.Take(r, m);
        }
        g.all.Take(r, m);
    }
}

// The member's texts of the family's items, read from the model, as the cells after the first.
void TextCells(COutput& out, const CFamily& f, CBeamBase* m, std::vector<CReal>& ratios, std::vector<CString>& texts)
{
    (m->*f.call)(ratios, texts);
    for (int k = 0; k < f.count; ++k)
        out.SetTableContent(texts[(size_t)(f.first + k)]);
}

// One row per item with a holder: "item ratio:label" and the holder's texts.
void WorstRows(COutput& out, const CFamily& f, const CWorst& w)
{
    std::vector<CReal> ratios(6);
    std::vector<CString> texts(6);
    for (int k = 0; k < f.count; ++k) {
        CBeamBase* m = w.holder[k];
        if (!m)
            continue;
        (m->*f.call)(ratios, texts);
        CString cell;
        cell.Format("%s%.3f:%s%s", f.heads[f.first + k], ratios[(size_t)(f.first + k)].toD(),
                    m->GetTypeDescription().GetString(), m->GetNumberText().GetString());
        out.SetTableContent(cell);
        for (int j = 0; j < f.count; ++j)
            out.SetTableContent(texts[(size_t)(f.first + j)]);
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgOutputCheck, CDlgReportRun)
    ON_BN_CLICKED(IDC_OUTCHECK_SELALL, &CDlgOutputCheck::OnSel)
    ON_BN_CLICKED(IDC_OUTCHECK_UNSELALL, &CDlgOutputCheck::OnUnSel)
END_MESSAGE_MAP()

CDlgOutputCheck::CDlgOutputCheck(CWnd* pParent)
    : CDlgReportRun(IDD_OUTPUTCHECK, pParent, IDC_OUTCHECK_SHOW, IDC_OUTCHECK_PROGRESS)
{
}

void CDlgOutputCheck::DoDataExchange(CDataExchange* pDX)
{
    CDlgReportRun::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_OUTCHECK_CAPACITY_LIST, m_bCapacityList);
    DDX_Check(pDX, IDC_OUTCHECK_CAPACITY_SECTION, m_bCapacitySection);
    DDX_Check(pDX, IDC_OUTCHECK_CAPACITY_ALL, m_bCapacityAll);
    DDX_Check(pDX, IDC_OUTCHECK_DEFORM_LIST, m_bDeformList);
    DDX_Check(pDX, IDC_OUTCHECK_DEFORM_SECTION, m_bDeformSection);
    DDX_Check(pDX, IDC_OUTCHECK_DEFORM_ALL, m_bDeformAll);
    DDX_Check(pDX, IDC_OUTCHECK_STABILITY_LIST, m_bStabilityList);
    DDX_Check(pDX, IDC_OUTCHECK_STABILITY_SECTION, m_bStabilitySection);
    DDX_Check(pDX, IDC_OUTCHECK_STABILITY_ALL, m_bStabilityAll);
    DDX_Check(pDX, IDC_OUTCHECK_REINFORCE_LIST, m_bReinforceList);
}

// The report stays empty until the first run.
BOOL CDlgOutputCheck::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

int CDlgOutputCheck::GetItemNum() const
{
    // The deformation boxes write a table of beams and one of columns each.
    return m_bCapacityList + m_bCapacitySection + m_bCapacityAll + m_bStabilityList + m_bStabilitySection +
           m_bStabilityAll + m_bReinforceList + 2 * (m_bDeformList + m_bDeformSection + m_bDeformAll);
}

void CDlgOutputCheck::SetCheck(bool check)
{
    const int v = check ? 1 : 0;
    for (int* flag : {&m_bCapacityList, &m_bCapacitySection, &m_bCapacityAll, &m_bDeformList, &m_bDeformSection,
                      &m_bDeformAll, &m_bStabilityList, &m_bStabilitySection, &m_bStabilityAll, &m_bReinforceList})
        *flag = v;
    UpdateData(FALSE);
}

void CDlgOutputCheck::OnSel() { SetCheck(true); }

void CDlgOutputCheck::OnUnSel() { SetCheck(false); }

void CDlgOutputCheck::Enable(bool enable)
{
    for (int id : {IDC_OUTCHECK_SELALL, IDC_OUTCHECK_UNSELALL, IDC_REPORT_PRINT, IDC_REPORT_RTF, IDC_REPORT_TXT,
                   IDC_REPORT_WORD, IDOK})
        if (CWnd* c = GetDlgItem(id))
            c->EnableWindow(enable ? TRUE : FALSE);
}

int CDlgOutputCheck::RunRange() const
{
    return GetItemNum() + (m_pBeamList ? (int)m_pBeamList->GetCount() : 0);
}

bool CDlgOutputCheck::OutputIt(int device, const CString& path)
{
    if (!m_pBeamList)
        return true;
    COutput out;
    if (device == DEVICE_RICHEDIT)
        out.InitDevice(DEVICE_RICHEDIT, GetReportCtrl());
    else if (!out.InitDevice((DEVICE_TYPE)device, path, 1))
        return false;
    OutputUnite(out, 0);
    return true;
}

void CDlgOutputCheck::OutputUnite(COutput& out, int flag)
{
    if (!m_pBeamList)
        return;
    CBeamList& members = *m_pBeamList;

    out.SetFontSize(11);
    out << title(1) << title << "构件设计与验算结果" << endl << title(0);
    out << endl;
    if (flag == 0)
        OutputReportHead(&out);
    out << tab << "本文为" << "构件设计与验算结果。" << endl;
    out << tab << "本文中未经注明处使用的单位为m、kN。" << endl;
    out << tab << "本文中验算结果采用应力比（计算值/限值）表达。" << endl;
    out << tab << "本文中次梁编号按“楼层-房间号-房间内编号”表达。" << endl;

    const bool capacity = m_bCapacityList || m_bCapacitySection || m_bCapacityAll;
    const bool deform = m_bDeformList || m_bDeformSection || m_bDeformAll;
    const bool stability = m_bStabilityList || m_bStabilitySection || m_bStabilityAll;
    if (capacity || deform || stability) {
        // Steel members not checked yet are checked first.
        for (POSITION pos = members.GetHeadPosition(); pos != nullptr;) {
            CBeamBase* m = members.GetNextT(pos);
            if (!m->GetSection())
                continue;
            if (!m->IsConcreteBeam() && !m->m_pCheckResult)
                m->Check();
            if (Stopped(flag))
                return;
        }
    }

    out.SetFontSize(9);
    int n = 1;
    std::vector<CReal> ratios(6);
    std::vector<CString> texts(6);

    // One table: numbered title, heads, rows, the poll, the end and a rule. False: stopped.
    auto table = [&](const CFamily& f, int which, auto&& rows) {
        CString number;
        number.Format("表%d. ", n++);
        out << endl << number << f.titles[which] << endl;
        out.CreateTableHead(which == 0 ? "编号" : "最不利构件", which == 0 ? 20 : 25, 0);
        for (int k = 0; k < f.count; ++k)
            out.CreateTableHead(f.heads[f.first + k], f.width, 0);
        rows();
        if (Stopped(flag))
            return false;
        out.EndTable();
        out << CString('-', 56) << endl;
        return true;
    };
    // The ticked tables of a family, gathered in one pass.
    auto family = [&](const CFamily& f, int list, int section, int all) {
        CGathered g;
        Gather(f, members, list != 0, g);
        if (list && !table(f, 0, [&] {
                for (auto& [key, m] : g.rows) {
                    out.SetTableContent(Label(m));
                    TextCells(out, f, m, ratios, texts);
                }
            }))
            return false;
        if (section && !table(f, 1, [&] {
                const CString dashes('-', f.width);
                for (auto& [key, s] : g.sections) {
                    out.SetTableContent(s.name);
                    for (int k = 0; k < f.count; ++k)
                        out.SetTableContent(dashes);
                    WorstRows(out, f, s);
                }
            }))
            return false;
        if (all && !table(f, 2, [&] { WorstRows(out, f, g.all); }))
            return false;
        return true;
    };

    if (capacity && !family(kCapacity, m_bCapacityList, m_bCapacitySection, m_bCapacityAll))
        return;
    if (deform && (!family(kBeamDisp, m_bDeformList, m_bDeformSection, m_bDeformAll) ||
                   !family(kColumnDisp, m_bDeformList, m_bDeformSection, m_bDeformAll)))
        return;
    if (stability && !family(kConstruct, m_bStabilityList, m_bStabilitySection, m_bStabilityAll))
        return;

    if (m_bReinforceList && members.IsHaveConcreteMember()) {
        CString number;
        number.Format("表%d. ", n);
        out << endl << number << "构件配筋结果(配筋面积单位 cm2)" << endl;
        for (const char* line :
             {"参数意义:", "混凝土梁:", "Asu1~Asu3: 梁上部左、中、右端配筋面积；", "Gasv: 梁抗剪箍筋面积；",
              "Asd1~Asd3: 梁下部左、中、右端配筋面积；", "Asv: 梁抗剪箍筋面积和剪扭箍筋面积的较大值；",
              "Ast，Ast1: 梁剪扭纵筋面积和抗扭箍筋外边周单肢箍的面积；", "混凝土柱:", "NRatio: 轴压比；",
              "As2，As3: 两个方向的单边配筋，包括角筋；", "Asv: 箍筋面积；", "混凝土墙:", "Asb: 墙梁单边配筋面积；",
              "Asw: 暗柱配筋面积；", "Gasv: 墙梁抗剪箍筋面积；", "Hashw: 墙肢水平分布筋面积；"})
            out << line << endl;
        for (POSITION pos = members.GetHeadPosition(); pos != nullptr;) {
            CBeamBase* m = members.GetNextT(pos);
            if (m->GetType() != 6)
                m->TextOutConcreteResult(out);
        }
        // The last unit of work: the progress bar reaches its end.
        Stopped(flag);
    }
}
