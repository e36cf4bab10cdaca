#include <vyr/input/DlgLCDefine.h>

#include <cmath>

#include <vyr/model/output/wnddata.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/LoadCombRes.h>

namespace {
const char* const kLCDefineWindText[] = {"Wx", "Wy", "W-x", "W-y"};
const char* const kLCDefineVariant[] = {"", "P", "M"};
const char* const kLCDefineNone = "无";
const char* const kLCDefineSameSeism = "两个基本水平地震工况不能相同！";
const char* const kLCDefineExists = "荷载组合表中已存在此荷载组合，不能替换！";

CString LCDefineSeismText(const CLoadSeism* seism, int variant)
{
    CString s;
    s.Format("E%-d%s", seism->m_nNo, kLCDefineVariant[variant >= 0 && variant <= 2 ? variant : 0]);
    return s;
}

// Selects the first item that begins with the text; no selection when none does.
void LCDefineSelectPrefix(CComboBox& box, const CString& text)
{
    box.SetCurSel(text.IsEmpty() ? -1 : box.FindString(-1, text));
}
} // namespace

BEGIN_MESSAGE_MAP(CDlgLCDefine, CDialog)
    ON_EN_CHANGE(IDC_LCDEF_DEAD, &CDlgLCDefine::OnChangeDead)
    ON_EN_CHANGE(IDC_LCDEF_LIVE, &CDlgLCDefine::OnChangeLive)
    ON_EN_CHANGE(IDC_LCDEF_WIND, &CDlgLCDefine::OnChangeHwind)
    ON_EN_CHANGE(IDC_LCDEF_HSEISM, &CDlgLCDefine::OnChangeHseism)
    ON_EN_CHANGE(IDC_LCDEF_HSEISM2, &CDlgLCDefine::OnChangeHseism2)
    ON_EN_CHANGE(IDC_LCDEF_VSEISM, &CDlgLCDefine::OnChangeVseism)
    ON_EN_CHANGE(IDC_LCDEF_CRANE, &CDlgLCDefine::OnChangeCrane)
    ON_EN_CHANGE(IDC_LCDEF_TEMPERATURE, &CDlgLCDefine::OnChangeTemperature)
    ON_EN_CHANGE(IDC_LCDEF_PRELOAD, &CDlgLCDefine::OnChangePreload)
    ON_CBN_SELCHANGE(IDC_LCDEF_WINDCASE, &CDlgLCDefine::OnSelchangeComboHwind)
    ON_CBN_SELCHANGE(IDC_LCDEF_HSEISMCASE, &CDlgLCDefine::OnSelchangeComboHseism)
    ON_CBN_SELCHANGE(IDC_LCDEF_HSEISM2CASE, &CDlgLCDefine::OnSelchangeComboHseism2)
    ON_CBN_SELCHANGE(IDC_LCDEF_CRANECASE, &CDlgLCDefine::OnSelchangeComboCrane)
    ON_CBN_SELCHANGE(IDC_LCDEF_TEMPCASE, &CDlgLCDefine::OnSelchangeComboTemperature)
END_MESSAGE_MAP()

CDlgLCDefine::CDlgLCDefine(CWnd* pParent) : CDlgWithObject<CLoadCombination*>(IDD_LCDEFINE, pParent) {}

void CDlgLCDefine::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LCDEF_LIVECASE, m_comboLive);
    DDX_Control(pDX, IDC_LCDEF_HSEISM2CASE, m_comboHSeism2);
    DDX_Control(pDX, IDC_LCDEF_WINDCASE, m_comboWind);
    DDX_Control(pDX, IDC_LCDEF_HSEISMCASE, m_comboHSeism);
    DDX_Control(pDX, IDC_LCDEF_CRANECASE, m_comboCrane);
    DDX_Control(pDX, IDC_LCDEF_TEMPCASE, m_comboTemperature);
    const struct
    {
        int id;
        float* value;
    } factors[] = {{IDC_LCDEF_DEAD, &m_fDead},       {IDC_LCDEF_HSEISM, &m_fHSeism},
                   {IDC_LCDEF_WIND, &m_fWind},       {IDC_LCDEF_LIVE, &m_fLive},
                   {IDC_LCDEF_VSEISM, &m_fVSeism},   {IDC_LCDEF_TEMPERATURE, &m_fTemperature},
                   {IDC_LCDEF_CRANE, &m_fCrane},     {IDC_LCDEF_HSEISM2, &m_fHSeism2},
                   {IDC_LCDEF_PRELOAD, &m_fPreload}};
    for (const auto& f : factors) {
        DDX_Text(pDX, f.id, *f.value);
        DDV_MinMaxFloat(pDX, *f.value, -5.0f, 5.0f);
    }
    DDX_Text(pDX, IDC_LCDEF_DESCRIPTION, m_strDescription);
}

BOOL CDlgLCDefine::OnInitDialog()
{
    VYR_CHECK(m_pObject != nullptr, "CDlgLCDefine::DoModal without a combination");
    CDialog::OnInitDialog();
    m_bOpened = false;
    CBasicLCList* cases = m_pData->GetCurBasicLCList();
    bool has[14];
    cases->LoadInfro(has);
    // LoadInfro's flags by position from 1: 3 to 6 wind, 7 horizontal and 8 vertical seismic,
    // 9 to 12 temperature, 13 crane, 14 prestress.
    if (!has[13]) GetDlgItem(IDC_LCDEF_PRELOAD)->EnableWindow(FALSE);
    if (!has[7]) GetDlgItem(IDC_LCDEF_VSEISM)->EnableWindow(FALSE);

    m_comboLive.InsertString(0, "L");
    if (m_strLive.IsEmpty()) m_strLive = "L";

    if (!has[2] && !has[3] && !has[4] && !has[5]) {
        m_strWind = kLCDefineNone;
        GetDlgItem(IDC_LCDEF_WIND)->EnableWindow(FALSE);
        m_comboWind.EnableWindow(FALSE);
    } else {
        for (int i = 0; i < 4; ++i)
            if (has[2 + i]) {
                m_comboWind.AddString(kLCDefineWindText[i]);
                if (m_strWind.IsEmpty()) m_strWind = kLCDefineWindText[i];
            }
    }

    if (has[6]) {
        const bool two = cases->GetHSeismNum() >= 2;
        if (!two) {
            m_strSeism2 = kLCDefineNone;
            GetDlgItem(IDC_LCDEF_HSEISM2)->EnableWindow(FALSE);
            m_comboHSeism2.EnableWindow(FALSE);
        }
        for (POSITION pos = cases->GetHeadPosition(); pos != nullptr;) {
            const CBasicLoadCase* lc = cases->GetNextT(pos);
            if (!lc->IsSeismLoadCase()) continue;
            const CString name = lc->GetDescription();
            m_comboHSeism.AddString(name);
            if (two) m_comboHSeism2.AddString(name);
            m_strSeism = name;
        }
    } else {
        m_strSeism = m_strSeism2 = kLCDefineNone;
        for (int id : {IDC_LCDEF_HSEISM, IDC_LCDEF_HSEISMCASE, IDC_LCDEF_HSEISM2, IDC_LCDEF_HSEISM2CASE})
            GetDlgItem(id)->EnableWindow(FALSE);
    }

    if (has[12]) {
        for (POSITION pos = cases->GetHeadPosition(); pos != nullptr;) {
            const CBasicLoadCase* lc = cases->GetNextT(pos);
            if (lc->GetType() <= 20) continue;
            m_strCrane.Format("C%-d", lc->GetType() - 20);
            m_comboCrane.AddString(m_strCrane);
        }
    } else {
        m_strCrane = kLCDefineNone;
        GetDlgItem(IDC_LCDEF_CRANE)->EnableWindow(FALSE);
        m_comboCrane.EnableWindow(FALSE);
    }

    bool temperature = false;
    for (int i = 0; i < 4; ++i)
        if (has[8 + i]) {
            CString t;
            t.Format("T%d", i + 1);
            m_comboTemperature.AddString(t);
            temperature = true;
        }
    if (!temperature) {
        m_strTemperature = kLCDefineNone;
        GetDlgItem(IDC_LCDEF_TEMPERATURE)->EnableWindow(FALSE);
        m_comboTemperature.EnableWindow(FALSE);
    }

    const CLoadCombination* t = m_pObject;
    m_fDead = t->m_fDead;
    m_fLive = t->m_fLive;
    m_fWind = t->m_fWind;
    m_fHSeism = t->m_fHSeism;
    m_fHSeism2 = t->m_fAddHSeism;
    m_fVSeism = t->m_fVSeism;
    m_fTemperature = t->m_fTemperature;
    m_fCrane = t->m_fCrane;
    m_fPreload = t->m_fPrestress;
    if (t->m_nWindCase >= 3 && t->m_nWindCase <= 6) m_strWind = kLCDefineWindText[t->m_nWindCase - 3];
    if (t->m_nCraneCase != 0) m_strCrane.Format("C%-d", t->m_nCraneCase);
    if (t->m_nTemperatureCase != 0) m_strTemperature.Format("T%-d", t->m_nTemperatureCase);
    if (t->m_pSeism1 != nullptr) m_strSeism = LCDefineSeismText(t->m_pSeism1, t->m_nSeismVariant);
    if (t->m_pSeism2 != nullptr) m_strSeism2 = LCDefineSeismText(t->m_pSeism2, t->m_nSeismVariant);
    t->GetDescription(&m_strDescription);
    m_lc.Copy(t);

    m_nSeismVariant1 = m_nSeismVariant2 = t->m_nSeismVariant;
    m_bShowing = true;
    UpdateData(FALSE);
    m_bShowing = false;
    LCDefineSelectPrefix(m_comboLive, m_strLive);
    LCDefineSelectPrefix(m_comboWind, m_strWind);
    LCDefineSelectPrefix(m_comboHSeism, m_strSeism);
    LCDefineSelectPrefix(m_comboHSeism2, m_strSeism2);
    LCDefineSelectPrefix(m_comboCrane, m_strCrane);
    LCDefineSelectPrefix(m_comboTemperature, m_strTemperature);
    m_bOpened = true;
    return TRUE;
}

float& CDlgLCDefine::FactorShown(Factor f)
{
    switch (f) {
    case F_DEAD: return m_fDead;
    case F_LIVE: return m_fLive;
    case F_WIND: return m_fWind;
    case F_HSEISM: return m_fHSeism;
    case F_HSEISM2: return m_fHSeism2;
    case F_VSEISM: return m_fVSeism;
    case F_CRANE: return m_fCrane;
    case F_TEMPERATURE: return m_fTemperature;
    default: return m_fPreload;
    }
}

void CDlgLCDefine::OnChangeFactor(Factor f)
{
    if (!m_bOpened || m_bShowing) return;
    // A negative number on its way: "-", "-0" and "-0." are not numbers yet.
    CWnd* focus = CWnd::GetFocus();
    CString typed;
    if (focus != nullptr && IsChild(focus) && CWndData(this).GetString(focus->GetDlgCtrlID(), typed, CString())) {
        if (typed == "-" || typed == "-0" || typed == "-0.") return;
    }
    const float old = FactorShown(f);
    if (!UpdateData(TRUE)) return;
    const float value = FactorShown(f);
    if (std::fabs(value - old) <= 0.001f) return;

    switch (f) {
    case F_DEAD: m_lc.m_fDead = value; break;
    case F_LIVE: m_lc.m_fLive = value; break;
    case F_VSEISM: m_lc.m_fVSeism = value; break;
    case F_PRELOAD: m_lc.m_fPrestress = value; break;
    case F_WIND:
        if (m_comboWind.GetCurSel() < 0) break;
        m_lc.m_fWind = value;
        ApplyWind();
        break;
    case F_CRANE:
        if (m_comboCrane.GetCurSel() < 0) break;
        m_lc.m_fCrane = value;
        ApplyCrane();
        break;
    case F_TEMPERATURE:
        if (m_comboTemperature.GetCurSel() < 0) break;
        m_lc.m_fTemperature = value;
        ApplyTemperature();
        break;
    case F_HSEISM:
    case F_HSEISM2: {
        const bool first = f == F_HSEISM;
        CComboBox& box = first ? m_comboHSeism : m_comboHSeism2;
        if (box.GetCurSel() < 0) break;
        if (std::fabs(value) >= 0.001f) {
            (first ? m_lc.m_fHSeism : m_lc.m_fAddHSeism) = value;
            if (first)
                ApplySeism1();
            else
                ApplySeism2();
            m_lc.m_nSeismVariant = m_nSeismVariant1;
        } else {
            // A zero factor takes the action out of the combination: factor and case.
            box.SetCurSel(-1);
            (first ? m_lc.m_fHSeism : m_lc.m_fAddHSeism) = 0.0f;
            (first ? m_lc.m_pSeism1 : m_lc.m_pSeism2) = nullptr;
        }
        break;
    }
    }
    Refresh();
}

void CDlgLCDefine::OnChangeDead() { OnChangeFactor(F_DEAD); }
void CDlgLCDefine::OnChangeLive() { OnChangeFactor(F_LIVE); }
void CDlgLCDefine::OnChangeHwind() { OnChangeFactor(F_WIND); }
void CDlgLCDefine::OnChangeHseism() { OnChangeFactor(F_HSEISM); }
void CDlgLCDefine::OnChangeHseism2() { OnChangeFactor(F_HSEISM2); }
void CDlgLCDefine::OnChangeVseism() { OnChangeFactor(F_VSEISM); }
void CDlgLCDefine::OnChangeCrane() { OnChangeFactor(F_CRANE); }
void CDlgLCDefine::OnChangeTemperature() { OnChangeFactor(F_TEMPERATURE); }
void CDlgLCDefine::OnChangePreload() { OnChangeFactor(F_PRELOAD); }

void CDlgLCDefine::ApplyWind()
{
    const int sel = m_comboWind.GetCurSel();
    if (sel < 0) return;
    CString text;
    m_comboWind.GetLBText(sel, text);
    for (int i = 0; i < 4; ++i)
        if (text == kLCDefineWindText[i]) m_lc.m_nWindCase = 3 + i;
}

void CDlgLCDefine::ApplyCrane()
{
    const int sel = m_comboCrane.GetCurSel();
    if (sel >= 0) m_lc.m_nCraneCase = sel + 1;
}

void CDlgLCDefine::ApplyTemperature()
{
    const int sel = m_comboTemperature.GetCurSel();
    if (sel >= 0) m_lc.m_nTemperatureCase = sel + 1;
}

bool CDlgLCDefine::SeismAt(int position, CLoadSeism*& pSeism, int& variant) const
{
    const CLoadSeismList* seisms = m_pData->Struct()->m_pLoadSeismList;
    const int n = seisms->GetHSeismNum();
    if (n <= 0) {
        pSeism = nullptr;
        return true;
    }
    if (position > 3 * n - 1) return false;
    variant = position / n;
    pSeism = seisms->Get(position % n + 1);
    return true;
}

void CDlgLCDefine::ApplySeism1()
{
    const int sel = m_comboHSeism.GetCurSel();
    CLoadSeism* picked = nullptr;
    if (sel < 0 || !SeismAt(sel, picked, m_nSeismVariant1)) return;
    if (picked != nullptr && picked == m_lc.m_pSeism2 && m_nSeismVariant1 == m_nSeismVariant2)
        AfxMessageBox(kLCDefineSameSeism);
    else
        m_lc.m_pSeism1 = picked;
    if (!UpdateData(TRUE)) return;
    m_lc.m_nSeismVariant = m_nSeismVariant1;
    m_lc.m_fHSeism = m_fHSeism;
}

void CDlgLCDefine::ApplySeism2()
{
    const int sel = m_comboHSeism2.GetCurSel();
    CLoadSeism* picked = nullptr;
    if (sel < 0 || !SeismAt(sel, picked, m_nSeismVariant2)) return;
    if (picked != nullptr && picked == m_lc.m_pSeism1)
        AfxMessageBox(kLCDefineSameSeism);
    else
        m_lc.m_pSeism2 = picked;
    if (!UpdateData(TRUE)) return;
    m_lc.m_fAddHSeism = m_fHSeism2;
    m_lc.m_nSeismVariant = m_nSeismVariant1;
}

void CDlgLCDefine::OnSelchangeComboHwind()
{
    ApplyWind();
    Refresh();
}

void CDlgLCDefine::OnSelchangeComboHseism()
{
    ApplySeism1();
    Refresh();
}

void CDlgLCDefine::OnSelchangeComboHseism2()
{
    ApplySeism2();
    Refresh();
}

void CDlgLCDefine::OnSelchangeComboCrane()
{
    ApplyCrane();
    Refresh();
}

void CDlgLCDefine::OnSelchangeComboTemperature()
{
    ApplyTemperature();
    Refresh();
}

void CDlgLCDefine::Refresh()
{
    m_lc.GetDescription(&m_strDescription);
    m_bShowing = true;
    UpdateData(FALSE);
    m_bShowing = false;
}

void CDlgLCDefine::OnOK()
{
    if (!UpdateData(TRUE)) return;
    const CLCList* all = m_pData->Struct()->m_pLCList;
    for (POSITION pos = all->GetHeadPosition(); pos != nullptr;)
        if (m_lc.IsEqual(all->GetNextT(pos))) {
            AfxMessageBox(kLCDefineExists);
            return;
        }
    m_pObject->Copy(&m_lc);
    EndDialog(IDOK);
}
