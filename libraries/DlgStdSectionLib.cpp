#include <vyr/libraries/DlgStdSectionLib.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include <vyr/gbk.h>
#include <vyr/libraries/DaoText.h>
#include <vyr/model/material/material.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/StdSectionRes.h>

namespace sec = vyr::sections;

namespace {

// ---------------------------------------------------------------- the builder's table

// One value handed to a constructor or to SetShearArea: field k of the row (a length,
// converted from inches for the United States tables), or a constant in mm.
struct Val
{
    int field;
    float constant;
};
constexpr Val F(int k) { return {k, 0.0f}; }
constexpr Val K(float x) { return {0, x}; }

struct BuildRow
{
    int code;
    int argCount;
    Val args[8];
    int shearKind;
    Val shear[6];
    int iminField; // 0: none
    int h0Field;   // 0: none
};

constexpr Val one = K(1.0f);

// Constructor values in the profile class's parameter order after the code.
constexpr BuildRow kBuild[] = {
    {101, 5, {F(1), F(2), F(3), F(3), F(8)}, 9, {F(1), F(1), F(2), F(2), one, one}, 19, 0},
    {102, 7, {F(1), F(2), F(3), F(4), F(4), F(12), F(13)}, 9, {F(1), F(2), F(3), F(3), one, one}, 24, 0},
    {103, 6, {F(1), F(2), F(4), F(3), F(5), F(6)}, 4, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {104, 6, {F(1), F(2), F(4), F(3), F(5), F(6)}, 4, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {105, 4, {F(1), F(2), F(3), F(3)}, 4, {F(1), F(2), F(3), F(3), F(2), F(3)}, 0, 11},
    {106, 7, {F(2), F(1), F(4), F(3), F(5), F(6), F(14)}, 7, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {107, 7, {F(2), F(1), F(4), F(3), F(5), F(6), F(14)}, 7, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {108, 5, {F(1), F(2), F(4), F(3), F(12)}, 7, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 13},
    {109, 5, {F(2), F(1), F(4), F(3), F(5)}, 5, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {110, 5, {F(2), F(1), F(4), F(3), F(5)}, 5, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {111, 4, {F(1), F(2), F(4), F(3)}, 5, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 12},
    {112, 4, {F(1), F(2), F(4), F(3)}, 5, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 12},
    {113, 2, {F(1), F(2)}, 3, {F(1), one, F(2), one, one, one}, 0, 0},
    {114, 2, {F(1), F(2)}, 3, {F(1), one, F(2), one, one, one}, 0, 0},
    {115, 1, {F(1)}, 2, {F(1), one, one, one, one, one}, 0, 0},
    {116, 1, {F(1)}, 2, {F(1), one, one, one, one, one}, 0, 0},
    {201, 7, {F(1), F(2), F(3), K(12.7f), K(12.7f), F(11), F(12)}, 9, {F(1), F(2), F(3), F(3), one, one}, 0, 0},
    {202, 6, {F(1), F(2), F(4), F(3), K(12.7f), K(0)}, 4, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {203, 6, {F(1), F(2), F(4), F(3), K(12.7f), K(0)}, 4, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {204, 6, {F(1), F(2), F(4), F(3), K(12.7f), K(0)}, 4, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {205, 6, {F(1), F(2), F(4), F(3), K(12.7f), K(0)}, 4, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {206, 7, {F(2), F(1), F(4), F(3), K(6.35f), K(6.35f), F(12)}, 7, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {207, 7, {F(2), F(1), F(4), F(3), K(6.35f), K(6.35f), F(12)}, 7, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {208, 7, {F(1), F(2), F(3), F(4), K(6.35f), K(3.175f), F(12)}, 7, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {209, 7, {F(1), F(2), F(3), F(4), K(6.35f), K(3.175f), F(12)}, 7, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {210, 7, {F(1), F(2), F(3), F(4), K(6.35f), K(3.175f), F(12)}, 7, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {211, 2, {F(1), F(2)}, 3, {F(1), one, F(2), one, one, one}, 0, 0},
    {212, 4, {F(1), F(2), F(3), K(6.35f)}, 6, {F(1), F(2), F(3), F(3), F(2), F(3)}, 0, 0},
    {213, 4, {F(1), F(1), F(2), K(6.35f)}, 6, {F(1), F(1), F(2), F(2), F(1), F(2)}, 0, 0},
    {301, 5, {F(1), F(2), F(3), F(4), F(9)}, 9, {F(1), F(1), F(2), F(2), one, one}, 0, 0},
    {302, 7, {F(1), F(2), F(3), F(4), F(5), F(13), F(14)}, 9, {F(1), F(2), F(3), F(3), one, one}, 0, 0},
    {303, 6, {F(1), F(2), F(4), F(3), F(5), F(5)}, 4, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {304, 6, {F(1), F(2), F(4), F(3), F(5), F(6)}, 4, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {305, 7, {F(2), F(1), F(4), F(3), F(5), F(6), F(14)}, 7, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {306, 5, {F(2), F(1), F(4), F(3), F(5)}, 5, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {307, 5, {F(2), F(1), F(4), F(3), F(5)}, 5, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {308, 7, {F(1), F(2), F(3), F(4), F(5), F(5), F(13)}, 7, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {309, 7, {F(1), F(2), F(3), F(4), F(5), F(5), F(13)}, 7, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {401, 5, {F(1), F(2), F(3), F(4), F(12)}, 9, {F(1), F(1), F(2), F(2), one, one}, 0, 0},
    {402, 7, {F(1), F(2), F(3), F(4), F(5), F(13), F(14)}, 9, {F(1), F(2), F(3), F(3), one, one}, 0, 0},
    {403, 8, {F(1), F(2), F(3), F(4), F(5), F(6), F(14), F(15)}, 9, {F(1), F(2), F(3), F(4), one, one}, 0, 0},
    {404, 6, {F(1), F(2), F(4), F(3), F(5), F(6)}, 4, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {405, 7, {F(2), F(1), F(4), F(3), F(5), F(6), F(14)}, 7, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {406, 5, {F(2), F(1), F(4), F(3), F(5)}, 5, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {407, 7, {F(1), F(2), F(3), F(4), F(5), F(6), F(14)}, 7, {F(1), F(2), F(3), F(4), F(2), F(4)}, 0, 0},
    {408, 2, {F(1), F(2)}, 3, {F(1), one, F(2), one, one, one}, 0, 0},
    {409, 2, {F(1), F(2)}, 3, {F(1), one, F(2), one, one, one}, 0, 0},
    {410, 4, {F(1), F(1), F(2), K(5.0f)}, 6, {F(1), F(1), F(2), F(2), F(1), F(2)}, 0, 0},
    {411, 4, {F(1), F(2), F(3), K(5.0f)}, 6, {F(1), F(2), F(3), F(3), F(2), F(3)}, 0, 0},
    {412, 4, {F(1), F(1), F(2), F(3)}, 6, {F(1), F(1), F(2), F(2), F(1), F(2)}, 0, 0},
    {413, 4, {F(1), F(2), F(3), F(4)}, 6, {F(1), F(2), F(3), F(3), F(2), F(3)}, 0, 0},
    {414, 4, {F(1), F(1), F(2), K(8.0f)}, 6, {F(1), F(1), F(2), F(2), F(1), F(2)}, 0, 0},
};

const BuildRow* FindBuildRow(int code)
{
    for (const BuildRow& r : kBuild)
        if (r.code == code) return &r;
    return nullptr;
}

// Inch tables: lengths to mm, radii of gyration to cm (like the other lengths of the
// property block), areas to cm2, second moments to cm4, section moduli to cm3.
constexpr float kInchToMm = 25.4f;
constexpr float kInchToCm = 2.54f;
constexpr float kIn2ToCm2 = 6.4516f;
constexpr float kIn4ToCm4 = 41.623142f;
constexpr float kIn3ToCm3 = 16.387064f;

bool IsAngle(sec::Profile p)
{
    return p == sec::Profile::RolledEAngle || p == sec::Profile::RolledNEAngle || p == sec::Profile::RolledNETAngle;
}

// The constructor values of a row: fields as read (converted for inch tables).
void RowArgs(const BuildRow& b, const float* values, float* out)
{
    const bool inch = sec::IsUSCode(b.code);
    for (int i = 0; i < b.argCount; ++i) {
        const Val& v = b.args[i];
        out[i] = v.field > 0 ? values[v.field - 1] * (inch ? kInchToMm : 1.0f) : v.constant;
    }
}

// The picture differs from the built section in a few radii and one centroid field.
void PreviewArgs(const BuildRow& b, const float* values, float* out)
{
    const bool inch = sec::IsUSCode(b.code);
    switch (b.code) {
    case 201:
        out[3] = out[4] = 6.35f;
        break;
    case 202: case 203: case 204: case 205:
        out[5] = 6.35f;
        break;
    case 206: case 207:
        out[4] = 12.7f;
        break;
    case 108:
        out[4] = values[12] * (inch ? kInchToMm : 1.0f);
        break;
    case 303:
    case 308: case 309:
        out[5] = 0.0f;
        break;
    default:
        break;
    }
}

CSectionBase* Construct(sec::Profile p, int code, const float* a)
{
    using P = sec::Profile;
    switch (p) {
    case P::RolledEAngle: return new CSRolledEAngle(code, a[0], a[1], a[2], a[3], a[4]);
    case P::RolledNEAngle: return new CSRolledNEAngle(code, a[0], a[1], a[2], a[3], a[4], a[5], a[6]);
    case P::RolledNETAngle: {
        auto* s = new CSRolledNETAngle(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
        s->SetType(code);
        return s;
    }
    case P::RolledIbeam: return new CSRolledIbeam(code, a[0], a[1], a[2], a[3], a[4], a[5]);
    case P::WeldedIbeam: return new CSWeldedIbeam(code, a[0], a[1], a[2], a[3]);
    case P::RolledChannel: return new CSRolledChannel(code, a[0], a[1], a[2], a[3], a[4], a[5], a[6]);
    case P::WeldedChannel: return new CSWeldedChannel(code, a[0], a[1], a[2], a[3], a[4]);
    case P::RolledHtype: return new CSRolledHtype(code, a[0], a[1], a[2], a[3], a[4]);
    case P::WeldedHtype: return new CSWeldedHtype(code, a[0], a[1], a[2], a[3]);
    case P::RolledTbeam: return new CSRolledTbeam(code, a[0], a[1], a[2], a[3], a[4], a[5], a[6]);
    case P::Pipe: return new CSPipe(code, a[0], a[1]);
    case P::Round: return new CSRound(code, a[0]);
    case P::Square: return new CSSquare(code, a[0]);
    case P::SquarePipe: return new CSSquarePipe(code, a[0], a[1], a[2], a[3]);
    }
    return nullptr;
}

// Writes into an existing section what the constructor of its profile class would set.
void WriteDimensions(CSectionBase* s, sec::Profile p, int code, const float* a)
{
    using P = sec::Profile;
    s->SetType(code);
    float xc = 0.0f, yc = 0.0f;
    bool setXc = false, setYc = false;
    switch (p) {
    case P::RolledEAngle:
        s->SetB(a[0]);
        s->m_fH = a[0];
        s->SetT(a[1]);
        s->SetR(a[2]);
        s->SetR1(a[3]);
        xc = yc = a[4];
        setXc = setYc = true;
        break;
    case P::RolledNEAngle:
        s->SetH(a[0]);
        s->SetB(a[1]);
        s->SetT(a[2]);
        s->SetR(a[3]);
        s->SetR1(a[4]);
        xc = a[5];
        yc = a[6];
        setXc = setYc = true;
        break;
    case P::RolledNETAngle:
        s->SetH(a[0]);
        s->SetB(a[1]);
        s->SetT(a[2]);
        s->SetTf(a[3]);
        s->SetR(a[4]);
        s->SetR1(a[5]);
        xc = a[6];
        yc = a[7];
        setXc = setYc = true;
        break;
    case P::RolledIbeam:
        s->SetH(a[0]);
        s->SetB(a[1]);
        s->SetTf(a[2]);
        s->SetT(a[3]);
        s->SetR(a[4]);
        s->SetR1(a[5]);
        break;
    case P::WeldedIbeam:
    case P::WeldedHtype:
        s->SetH(a[0]);
        s->SetB(a[1]);
        s->SetTf(a[2]);
        s->SetT(a[3]);
        break;
    case P::RolledChannel:
        s->SetB(a[0]);
        s->SetH(a[1]);
        s->SetTf(a[2]);
        s->SetT(a[3]);
        s->SetR(a[4]);
        s->SetR1(a[5]);
        xc = a[6];
        setXc = true;
        break;
    case P::WeldedChannel:
        s->SetH(a[0]);
        s->SetB(a[1]);
        s->SetTf(a[2]);
        s->SetT(a[3]);
        xc = a[4];
        setXc = true;
        break;
    case P::RolledHtype:
        s->SetB(a[0]);
        s->SetH(a[1]);
        s->SetTf(a[2]);
        s->SetT(a[3]);
        s->SetR(a[4]);
        break;
    case P::RolledTbeam:
        s->SetH(a[0]);
        s->SetB(a[1]);
        s->SetT(a[2]);
        s->SetTf(a[3]);
        s->SetR(a[4]);
        s->SetR1(a[5]);
        yc = a[6];
        setYc = true;
        break;
    case P::Pipe:
        s->SetB(a[0]);
        s->m_fH = a[0];
        s->SetT(a[1]);
        break;
    case P::Round:
    case P::Square:
        s->SetB(a[0]);
        s->m_fH = a[0];
        break;
    case P::SquarePipe:
        s->SetH(a[0]);
        s->SetB(a[1]);
        s->SetT(a[2]);
        s->SetR(a[3]);
        s->m_fH = a[0];
        s->m_fB = a[1];
        break;
    }
    s->ChangeSecProperty();
    if (setXc) s->m_fXc = xc;
    if (setYc) s->m_fYc = yc;
}

void SetH0(CSectionBase* s, float h0)
{
    if (auto* w = dynamic_cast<CSWeldedIbeam*>(s)) w->SetH0(h0);
    else if (auto* c = dynamic_cast<CSWeldedChannel*>(s)) c->SetH0(h0);
    else if (auto* h = dynamic_cast<CSWeldedHtype*>(s)) h->SetH0(h0);
}

// The kind text's abbreviation of a country's standard angles, by database index.
constexpr const char* kAngleAbbreviations[4] = {"中 热角", "美 热角", "英 热角", "日 热角"};

const char* const kPropLabels[7] = {"A(cm2)=", "I3(cm4)=", "W3(cm3)=", "i3(cm)=", "I2(cm4)=", "W2(cm3)=", "i2(cm)="};

} // namespace

// ---------------------------------------------------------------- dialog

BEGIN_MESSAGE_MAP(CDlgStdSectionLib, CDialog)
    ON_NOTIFY(TCN_SELCHANGE, IDC_STDSEC_COUNTRY, &CDlgStdSectionLib::OnSelchangeCountryTab)
    ON_NOTIFY(TCN_SELCHANGE, IDC_STDSEC_FAMILY, &CDlgStdSectionLib::OnSelchangeFamilyTab)
    ON_NOTIFY(TCN_SELCHANGE, IDC_STDSEC_SUBTYPE, &CDlgStdSectionLib::OnSelchangeSubTypeTab)
    ON_WM_PAINT()
    ON_WM_SHOWWINDOW()
    ON_NOTIFY(NM_SETFOCUS, IDC_STDSEC_LIST, &CDlgStdSectionLib::OnSetfocusList)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_STDSEC_LIST, &CDlgStdSectionLib::OnItemchangedList)
END_MESSAGE_MAP()

CDlgStdSectionLib::CDlgStdSectionLib(CWnd* pParent) : CDialog(IDD_STDSECTIONLIB, pParent) {}

CDlgStdSectionLib::~CDlgStdSectionLib()
{
    DeleteRecordset();
    if (m_database.IsOpen()) m_database.Close();
}

INT_PTR CDlgStdSectionLib::DoModal(bool bBrowse, CSectionBase* pSection)
{
    m_bBrowse = bBrowse;
    m_pEditSection = pSection;
    return CDialog::DoModal();
}

void CDlgStdSectionLib::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STDSEC_MATERIAL, m_comboMaterial);
    DDX_Control(pDX, IDC_STDSEC_LIST, m_list);
    DDX_Control(pDX, IDC_STDSEC_SUBTYPE, m_tabSubType);
    DDX_Control(pDX, IDC_STDSEC_FAMILY, m_tabFamily);
    DDX_Control(pDX, IDC_STDSEC_COUNTRY, m_tabCountry);
    DDX_CBString(pDX, IDC_STDSEC_MATERIAL, m_strMaterial);
}

BOOL CDlgStdSectionLib::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_preview.SubclassDlgItem(IDC_STDSEC_PREVIEW, this);
    if (m_bBrowse) {
        m_tabCountry.InsertItem(0, sec::kCountryCaptions[0]);
        if (!FillFamilyTab()) {
            OnCancel();
            return TRUE;
        }
    } else {
        // Only standard sections have a table to come from.
        const int code = m_pEditSection != nullptr ? m_pEditSection->GetType() : 0;
        if (sec::FindCode(code) == nullptr) {
            OnCancel();
            return TRUE;
        }
        m_nEditCountry = sec::DatabaseIndexOfCode(code);
        if (!OpenDatabase()) {
            OnCancel();
            return TRUE;
        }
        SetTabsFromCode(code);
        OpenTable();
        FillColumns();
        FillRows();
    }

    CMaterialList* steel = (m_pData != nullptr && m_pData->Struct() != nullptr) ? m_pData->Struct()->m_pMaterialSteelList
                                                                                 : nullptr;
    const int count = steel != nullptr ? (int)steel->GetCount() : 0;
    for (int i = 1; i <= count; ++i) m_comboMaterial.InsertString(i - 1, steel->Get(i)->GetName());
    m_strMaterial = "无材料";
    for (int i = 1; i <= count; ++i)
        if (steel->Get(i)->GetType() <= 1) {
            m_strMaterial = steel->Get(i)->GetName();
            break;
        }

    UpdateData(FALSE);
    CenterWindow(AfxGetMainWnd());
    return TRUE;
}

int CDlgStdSectionLib::CountryIndex() const
{
    return m_bBrowse ? m_tabCountry.GetCurSel() : m_nEditCountry;
}

const sec::CatalogRow* CDlgStdSectionLib::CurrentRow() const
{
    if (m_bBrowse)
        return sec::FindPosition(m_tabCountry.GetCurSel(), m_tabFamily.GetCurSel(), m_tabSubType.GetCurSel());
    return sec::FindPosition(m_nEditCountry, m_nEditFamily, m_nEditSubType);
}

// ---------------------------------------------------------------- reader

bool CDlgStdSectionLib::OpenDatabase()
{
    const int country = CountryIndex();
    if (country < 0 || country > 3) {
        // The original reported success here and left the browser on no database.
        AfxMessageBox("没有这个国家的型钢截面库！");
        return false;
    }
    CString missing;
    m_strDatabasePath = CVyrFunc::FindDataBaseFile(sec::kDatabaseFiles[country], &missing);
    CString connect = CString(";PWD=") + sec::kDatabasePasswords[country];
    CWaitCursor wait;
    try {
        if (m_database.IsOpen()) m_database.Close();
        if (!missing.IsEmpty()) AfxThrowDaoException(VYR_DAO_FILE_NOT_FOUND, missing);
        m_database.Open(m_strDatabasePath, FALSE, TRUE, connect);
    } catch (CDaoException* e) {
        wait.Restore();
        AfxMessageBox(e->m_pErrorInfo->m_strDescription, MB_OK);
        e->Delete();
        return false;
    }
    return m_database.IsOpen();
}

void CDlgStdSectionLib::SelectTable(int nCountry, int nFamily, int nSubType)
{
    // Only the table of the database that is open.
    if (m_strDatabasePath != CVyrFunc::FindDataBaseFile(sec::kDatabaseFiles[nCountry])) return;
    const sec::CatalogRow* row = sec::FindPosition(nCountry, nFamily, nSubType);
    if (row == nullptr) return;
    CString q;
    q.Format("SELECT * FROM %s ORDER BY ", row->table);
    for (int i = 0; i < 4 && row->sortKeys[i] != nullptr; ++i)
        q.AppendFormat("%s%s.[%s]", i ? ", " : "", row->table, row->sortKeys[i]);
    m_strQuery = q;
    m_nListColumns = row->listColumns;
    m_nPropCount = row->propCount;
    m_nFirstProp = row->firstProp;
    m_nValueCount = row->valueCount;
}

void CDlgStdSectionLib::SelectTableChina(int nFamily, int nSubType) { SelectTable(0, nFamily, nSubType); }
void CDlgStdSectionLib::SelectTableUS(int nFamily, int nSubType) { SelectTable(1, nFamily, nSubType); }
void CDlgStdSectionLib::SelectTableUK(int nFamily, int nSubType) { SelectTable(2, nFamily, nSubType); }
void CDlgStdSectionLib::SelectTableJapan(int nFamily, int nSubType) { SelectTable(3, nFamily, nSubType); }

void CDlgStdSectionLib::RunQuery()
{
    const int country = m_tabCountry.GetCurSel();
    if (country >= 0 && country < 4) SelectTable(country, m_tabFamily.GetCurSel(), m_tabSubType.GetCurSel());
    OpenTable();
    FillColumns();
    FillRows();
}

void CDlgStdSectionLib::DeleteRecordset()
{
    delete m_pRecordset;
    m_pRecordset = nullptr;
    m_bTableOpen = false;
    m_nRecordCount = 0;
}

bool CDlgStdSectionLib::OpenTable()
{
    DeleteRecordset();
    m_nFieldCount = 0;
    {
        CWaitCursor wait;
        m_pRecordset = new CDaoRecordset(&m_database);
        try {
            m_pRecordset->Open(dbOpenDynaset, m_strQuery, dbReadOnly);
        } catch (CDaoException* e) {
            // A file without the table: one message, then an empty list.
            wait.Restore();
            DeleteRecordset();
            AfxMessageBox(e->m_pErrorInfo->m_strDescription, MB_OK);
            e->Delete();
            return false;
        }
        m_bTableOpen = true;
    }
    if (!m_pRecordset->IsBOF()) m_pRecordset->MoveLast();
    m_nRecordCount = (int)m_pRecordset->GetAbsolutePosition() + 1;
    if (m_nRecordCount > 0) m_pRecordset->MoveFirst();
    ReadColumnInfo();
    return true;
}

void CDlgStdSectionLib::ReadColumnInfo()
{
    m_nFieldCount = m_pRecordset != nullptr ? m_pRecordset->GetFieldCount() : 0;
    const int shown = std::min(m_nListColumns, m_nFieldCount);
    m_arrColumnNames.assign((size_t)shown, CString());
    m_arrColumnChars.assign((size_t)shown, 0);
    for (int i = 0; i < shown; ++i) {
        CDaoFieldInfo info;
        m_pRecordset->GetFieldInfo(i, info, AFX_DAO_PRIMARY_INFO);
        m_arrColumnNames[(size_t)i] = info.m_strName;
        const int nameBytes = vyr::GbkWidth(info.m_strName.GetString());
        const int size = (int)std::min<LONG>(info.m_lSize, 50);
        m_arrColumnChars[(size_t)i] = (unsigned short)std::max(nameBytes, size);
    }
    // The reader also serves without a window (tools, benchmarks): no font to measure.
    if (GetSafeHwnd() == nullptr) return;
    CDC* pDC = GetDC();
    if (pDC == nullptr) return;
    CFont* font = GetFont();
    CFont* old = font != nullptr ? pDC->SelectObject(font) : nullptr;
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    if (old != nullptr) pDC->SelectObject(old);
    ReleaseDC(pDC);
    m_nCharWidth = tm.tmAveCharWidth + 1;
    int chars = 0;
    for (int i = 1; i < shown; ++i) chars += m_arrColumnChars[(size_t)i];
    m_nTextWidth = chars * m_nCharWidth;
    m_nTextHeight = tm.tmHeight;
}

void CDlgStdSectionLib::ReleaseTable()
{
    if (m_pRecordset != nullptr) DeleteRecordset();
}

void CDlgStdSectionLib::CloseTable()
{
    if (m_pRecordset != nullptr) {
        DeleteRecordset();
        m_database.Close();
    }
}

void CDlgStdSectionLib::FieldToText(const COleVariant& value, CString& text) const
{
    VyrFieldToText(value, text);
}

void CDlgStdSectionLib::ReadRowValues(int n)
{
    n = std::clamp(n, 0, (int)VALUE_COUNT);
    std::fill(m_fValues, m_fValues + n, 0.0f);
    if (m_pRecordset == nullptr || m_pRecordset->GetAbsolutePosition() < 0) return;
    for (int k = 1; k <= n && k < m_nFieldCount; ++k) {
        const COleVariant v = m_pRecordset->GetFieldValue(k);
        // The full value of a number: its display text keeps only two decimals.
        switch (v.vt) {
        case VT_I2: m_fValues[k - 1] = (float)v.iVal; continue;
        case VT_I4: m_fValues[k - 1] = (float)v.lVal; continue;
        case VT_R4: m_fValues[k - 1] = v.fltVal; continue;
        case VT_R8: m_fValues[k - 1] = (float)v.dblVal; continue;
        default: break;
        }
        CString text;
        FieldToText(v, text);
        float f = 0.0f;
        if (std::sscanf(text.GetString(), "%f", &f) == 1) m_fValues[k - 1] = f;
    }
}

// ---------------------------------------------------------------- positions

void CDlgStdSectionLib::SetTabsFromCode(int nCode)
{
    m_tabCountry.DeleteAllItems();
    m_tabFamily.DeleteAllItems();
    m_tabSubType.DeleteAllItems();
    m_nEditCountry = sec::DatabaseIndexOfCode(nCode);
    const int hundreds = nCode / 100;
    if (hundreds >= 1 && hundreds <= 4) m_tabCountry.InsertItem(0, sec::kCountryCaptions[hundreds - 1]);
    const sec::CatalogRow* row = sec::FindCode(nCode);
    if (row == nullptr) return;
    m_tabFamily.InsertItem(0, row->familyCaption);
    m_tabSubType.InsertItem(0, row->subTypeCaption);
    m_nEditFamily = row->family;
    m_nEditSubType = sec::TabSubType(*row);
    SelectTable(m_nEditCountry, m_nEditFamily, m_nEditSubType);
}

void CDlgStdSectionLib::MakeDisplayName()
{
    const sec::CatalogRow* row = CurrentRow();
    m_strDisplayName = row != nullptr ? row->displayName : "";
}

// ---------------------------------------------------------------- browser

BOOL CDlgStdSectionLib::FillFamilyTab()
{
    m_tabFamily.DeleteAllItems();
    m_tabFamily.InsertItem(0, "角钢");
    if (!OpenDatabase()) return FALSE;
    FillSubTypeTab();
    return TRUE;
}

void CDlgStdSectionLib::FillSubTypeTab()
{
    const int country = m_tabCountry.GetCurSel();
    const int family = m_tabFamily.GetCurSel();
    m_tabSubType.DeleteAllItems();
    int n = 0;
    for (const sec::CatalogRow& r : sec::kCatalog)
        if (r.country == country && r.family == family) m_tabSubType.InsertItem(n++, r.subTypeCaption);
    m_tabSubType.SetCurSel(0);
    RunQuery();
}

void CDlgStdSectionLib::FillColumns()
{
    const int shown = m_bTableOpen ? (int)m_arrColumnNames.size() : 0;
    for (int i = 0; i < shown; ++i) {
        int width = 75;
        if (i > 0) {
            width = m_nTextWidth > 0 ? m_arrColumnChars[(size_t)i] * m_nCharWidth * 220 / m_nTextWidth : 55;
            if (i == 1) width = std::max(width, 55);
        }
        m_list.InsertColumn(i, m_arrColumnNames[(size_t)i], LVCFMT_LEFT, width);
    }
    // The previous table's columns now stand behind the new ones.
    for (int i = m_list.GetColumnCount() - 1; i >= shown; --i) m_list.DeleteColumn(i);
    m_nPrevColumns = shown;
}

void CDlgStdSectionLib::FillRows()
{
    m_bFilling = true;
    m_list.DeleteAllItems();
    if (m_bTableOpen && m_pRecordset != nullptr) {
        const int columns = std::min(m_nListColumns, m_nFieldCount);
        CString text;
        for (int r = 0; r < m_nRecordCount; ++r) {
            m_pRecordset->SetAbsolutePosition(r);
            FieldToText(m_pRecordset->GetFieldValue(0), text);
            m_list.InsertItem(LVIF_TEXT | LVIF_STATE, r, text, 0, LVIS_SELECTED, 0, 0);
            for (int c = 1; c < columns; ++c) {
                FieldToText(m_pRecordset->GetFieldValue(c), text);
                m_list.SetItemText(r, c, text);
            }
        }
        // Each row was inserted focused: the last one keeps the focus, none is selected.
        if (m_nRecordCount > 0) {
            m_list.SetItemState(m_nRecordCount - 1, LVIS_FOCUSED, LVIS_FOCUSED);
            m_pRecordset->MoveFirst();
        }
    }
    m_bFilling = false;
}

int CDlgStdSectionLib::ChosenRow() const
{
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

void CDlgStdSectionLib::OnSelchangeCountryTab(NMHDR*, LRESULT* pResult)
{
    CloseTable();
    FillFamilyTab();
    *pResult = 0;
}

void CDlgStdSectionLib::OnSelchangeFamilyTab(NMHDR*, LRESULT* pResult)
{
    ReleaseTable();
    FillSubTypeTab();
    *pResult = 0;
}

void CDlgStdSectionLib::OnSelchangeSubTypeTab(NMHDR*, LRESULT* pResult)
{
    ReleaseTable();
    RunQuery();
    *pResult = 0;
}

void CDlgStdSectionLib::OnItemchangedList(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bFilling) return;
    if (!m_bRowChosen) {
        m_bRowChosen = true;
        m_preview.m_paint = [this](CDC* pDC, CRect rc) { DrawPreviewInto(pDC, rc); };
    }
    const int row = ChosenRow();
    if (row < 0 || m_pRecordset == nullptr || row >= m_nRecordCount) return;
    m_pRecordset->SetAbsolutePosition(row);
    ShowProperties();
    DrawPreview();
}

void CDlgStdSectionLib::ShowProperties()
{
    CString line, text;
    if (m_pRecordset != nullptr && m_pRecordset->GetAbsolutePosition() >= 0)
        for (int i = 0; i < m_nPropCount && i < 7; ++i) {
            const int field = m_nFirstProp + i;
            if (field >= m_nFieldCount) break;
            FieldToText(m_pRecordset->GetFieldValue(field), text);
            line += kPropLabels[i];
            line += text;
            line += "      ";
        }
    SetDlgItemText(IDC_STDSEC_PROPS, line);
}

void CDlgStdSectionLib::DrawPreview()
{
    CWnd* frame = GetDlgItem(IDC_STDSEC_PREVIEW);
    if (frame == nullptr) return;
    CDC* pDC = frame->GetDC();
    if (pDC == nullptr) return;
    CRect rc;
    frame->GetClientRect(&rc);
    DrawPreviewInto(pDC, rc);
    frame->ReleaseDC(pDC);
}

void CDlgStdSectionLib::DrawPreviewInto(CDC* pDC, CRect rect)
{
    DrawSectionMap(pDC, rect, nullptr, false);
    const sec::CatalogRow* row = CurrentRow();
    const BuildRow* build = row != nullptr ? FindBuildRow(row->code) : nullptr;
    if (build == nullptr || m_pRecordset == nullptr || m_pRecordset->GetAbsolutePosition() < 0) return;
    ReadRowValues(m_nValueCount);
    float args[8] = {};
    RowArgs(*build, m_fValues, args);
    PreviewArgs(*build, m_fValues, args);
    std::unique_ptr<CSectionBase> shape(Construct(row->profile, row->code, args));
    if (shape == nullptr) return;
    shape->Draw(pDC, rect);
    shape->Dim(pDC);
}

void CDlgStdSectionLib::OnPaint()
{
    CPaintDC dc(this);
    if (m_bRowChosen) DrawPreview();
}

void CDlgStdSectionLib::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
}

void CDlgStdSectionLib::OnSetfocusList(NMHDR*, LRESULT* pResult)
{
    int row = m_list.GetNextItem(0, LVNI_SELECTED);
    if (row < 0) row = 0;
    m_list.GetItemRect(row, &m_rcRow, LVIR_BOUNDS);
    RedrawWindow(&m_rcRow, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    *pResult = 0;
}

void CDlgStdSectionLib::OnOK()
{
    if (!BuildSection()) return;
    DeleteRecordset();
    EndDialog(IDOK);
}

void CDlgStdSectionLib::OnCancel()
{
    DeleteRecordset();
    EndDialog(IDCANCEL);
}

// ---------------------------------------------------------------- builder

CString CDlgStdSectionLib::KindText(const CString& strCategory, const CString& strFull, const CString& strDim)
{
    if (strCategory == "标准") {
        // The angle tables by display name, compared as GBK bytes.
        const std::string full = vyr::Utf8ToGbk(strFull.GetString());
        for (const sec::CatalogRow& r : sec::kCatalog) {
            if (!IsAngle(r.profile)) continue;
            const std::string name = vyr::Utf8ToGbk(r.displayName);
            if (full.size() >= name.size() && full.compare(0, name.size(), name) == 0)
                return CString(kAngleAbbreviations[r.country]) + strDim;
        }
    }
    return strFull;
}

bool CDlgStdSectionLib::BuildSection()
{
    const int chosen = ChosenRow();
    if (chosen < 0 || m_pRecordset == nullptr || chosen >= m_nRecordCount) {
        AfxMessageBox("请选择截面！");
        return false;
    }
    CStruct* st = m_pData != nullptr ? m_pData->Struct() : nullptr;
    CMaterialList* steel = st != nullptr ? st->m_pMaterialSteelList : nullptr;
    if (steel == nullptr || steel->GetCount() == 0) {
        AfxMessageBox("工程中还没有钢材，请先在材料库中定义钢材！");
        return false;
    }
    const sec::CatalogRow* row = CurrentRow();
    const BuildRow* build = row != nullptr ? FindBuildRow(row->code) : nullptr;
    if (build == nullptr) return false;

    m_pRecordset->SetAbsolutePosition(chosen);
    MakeDisplayName();
    CString dim;
    FieldToText(m_pRecordset->GetFieldValue(0), dim);
    const CString full = m_strDisplayName + dim;

    int matIndex = m_comboMaterial.GetCurSel();
    if (matIndex < 0) matIndex = 0;
    CString matName;
    if (matIndex < m_comboMaterial.GetCount()) m_comboMaterial.GetLBText(matIndex, matName);
    CMaterialBase* material = steel->Get(matIndex + 1);

    const int code = row->code;
    int need = std::max(m_nValueCount, m_nFirstProp + m_nPropCount - 1);
    need = std::max(need, build->iminField);
    ReadRowValues(need);
    const float* c = m_fValues;
    float args[8] = {};
    RowArgs(*build, c, args);

    // The section is made first and checked: a row whose dimensions no section can have
    // changes nothing.
    std::unique_ptr<CSectionBase> made(Construct(row->profile, code, args));
    if (made == nullptr || !made->IsDataValid()) {
        CString msg;
        msg.Format("截面%s的尺寸不合理，无法生成截面！", (LPCTSTR)dim);
        AfxMessageBox(msg);
        return false;
    }
    CSectionBase* s = made.get();
    if (!m_bBrowse) {
        if (m_pEditSection == nullptr) return false;
        s = m_pEditSection;
        WriteDimensions(s, row->profile, code, args);
    }

    const bool inch = sec::IsUSCode(code);
    const float len = inch ? kInchToMm : 1.0f;
    const int p = m_nFirstProp;
    auto prop = [&](int field, float factor) { return (double)(c[field - 1] * (inch ? factor : 1.0f)); };
    s->m_dA1 = prop(p, kIn2ToCm2);
    double sh[6];
    for (int i = 0; i < 6; ++i) {
        const Val& v = build->shear[i];
        sh[i] = v.field > 0 ? (double)(c[v.field - 1] * len) : (double)v.constant;
    }
    s->SetShearArea(build->shearKind, sh[0], sh[1], sh[2], sh[3], sh[4], sh[5]);
    s->m_dI33 = prop(p + 1, kIn4ToCm4);
    s->m_dWx = prop(p + 2, kIn3ToCm3);
    s->m_dix = prop(p + 3, kInchToCm);
    if (m_nPropCount >= 7) {
        s->m_dI22 = prop(p + 4, kIn4ToCm4);
        s->m_dWy = prop(p + 5, kIn3ToCm3);
        s->m_diy = prop(p + 6, kInchToCm);
    } else {
        s->m_dI22 = s->m_dI33;
        s->m_dWy = s->m_dWx;
        s->m_diy = s->m_dix;
    }
    if (build->iminField > 0) s->m_dimin = c[build->iminField - 1];
    if (build->h0Field > 0) SetH0(s, c[build->h0Field - 1] * len);

    s->m_strDim = dim;
    s->m_strFull = full;
    s->m_strMat = matName;
    s->m_strCategory = "标准";
    s->SetType(code);
    // T sections carry the chosen material like every other section.
    s->m_pMaterial = material;
    s->m_strKind = KindText(s->m_strCategory, s->m_strFull, s->m_strDim);

    if (!m_bBrowse) return true;
    if (IsAngle(row->profile)) {
        m_pResult = made.release();
        return true;
    }
    if (st->m_pSectionList == nullptr || !st->m_pSectionList->Add(s, true)) {
        CString msg;
        msg.Format("截面%s不能加入工程截面库！", (LPCTSTR)full);
        AfxMessageBox(msg);
        return false;
    }
    made.release();
    return true;
}
