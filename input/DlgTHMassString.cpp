#include <vyr/input/DlgTHMassString.h>

#include <vyr/model/record/TimeHistory.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/THAnalysisRes.h>
#include <vyr/winfile.h>

namespace {

const char* const kNoCommonFiles = "请先计算结构自振周期和振型！";
const char* const kMultiTower = "对于有局部刚性的多塔结构，只支持选中结点串弹性时程分析！";
const char* const kNoMassPoint = "请选择用于时程结果回显的质点串!";

} // namespace

BEGIN_MESSAGE_MAP(CDlgTHMassString, CDialog)
    ON_BN_CLICKED(IDC_THMASS_RUN, &CDlgTHMassString::OnRunAnalysis)
    ON_BN_CLICKED(IDC_THMASS_CENTRES, &CDlgTHMassString::OnFloorMassCentres)
    ON_BN_CLICKED(IDC_THMASS_NODES, &CDlgTHMassString::OnNodeString)
END_MESSAGE_MAP()

CDlgTHMassString::CDlgTHMassString(CWnd*) : CDialog(IDD_THMASSSTRING, nullptr) {}

void CDlgTHMassString::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_THMASS_LIST, m_list);
    DDX_Radio(pDX, IDC_THMASS_CENTRES, m_nChoice);
    DDX_Text(pDX, IDC_THMASS_X, m_fX);
    DDX_Text(pDX, IDC_THMASS_Y, m_fY);
    DDX_Text(pDX, IDC_THMASS_Z, m_fZ);
}

BOOL CDlgTHMassString::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bMultiTower = false;
    CFloorList* floors = m_pData->Struct()->m_pFloorList;
    POSITION pos = floors->GetHeadPosition();
    if (pos != nullptr)
        floors->GetNext(pos);
    while (pos != nullptr)
        if (floors->GetNextT(pos)->m_nKind == 2)
            m_bMultiTower = true;
    UpdateData(FALSE);
    m_list.InsertColumn(0, "楼层", LVCFMT_CENTER, 46);
    m_list.InsertColumn(1, "属性", LVCFMT_CENTER, 50);
    m_list.InsertColumn(2, "标高", LVCFMT_CENTER, 50);
    m_list.InsertColumn(3, "X坐标", LVCFMT_CENTER, 50);
    m_list.InsertColumn(4, "Y坐标", LVCFMT_CENTER, 50);
    FillItems();
    if (m_nChoice == 1)
        OnNodeString();
    else
        OnFloorMassCentres();
    return TRUE;
}

void CDlgTHMassString::FillItems()
{
    UpdateData(TRUE);
    m_list.DeleteAllItems();
    const float unit = m_pData->UnitLength();
    CFloorList* floors = m_pData->Struct()->m_pFloorList;
    int row = 0;
    for (POSITION pos = floors->GetHeadPosition(); pos != nullptr; ++row) {
        CFloor* floor = floors->GetNextT(pos);
        CString text;
        text.Format(" F%d", floor->m_nNo);
        m_list.InsertItem(row, text);
        m_list.SetItemText(row, 1, row == 0 ? "固定" : "质心");
        text.Format("%.2f", floor->GetZ() * unit);
        m_list.SetItemText(row, 2, text);
        double x = 0.0, y = 0.0;
        if (row > 0)
            floor->GetMassCenter(x, y, -1.0, -1.0);
        text.Format("%.2f", x * unit);
        m_list.SetItemText(row, 3, text);
        text.Format("%.2f", y * unit);
        m_list.SetItemText(row, 4, text);
    }
}

void CDlgTHMassString::EnableCoordinates(BOOL enable)
{
    for (int id : {IDC_THMASS_X, IDC_THMASS_Y, IDC_THMASS_Z})
        if (CWnd* edit = GetDlgItem(id))
            edit->EnableWindow(enable);
}

void CDlgTHMassString::OnFloorMassCentres()
{
    if (m_bMultiTower) {
        AfxMessageBox(kMultiTower);
        m_nChoice = 1;
        CheckRadioButton(IDC_THMASS_CENTRES, IDC_THMASS_NODES, IDC_THMASS_NODES);
        EnableCoordinates(TRUE);
        return;
    }
    EnableCoordinates(FALSE);
    FillItems();
}

void CDlgTHMassString::OnNodeString() { EnableCoordinates(TRUE); }

void CDlgTHMassString::OnRunAnalysis()
{
    if (!UpdateData(TRUE))
        return;
    const CString cal = m_pData->ProjectPath() + "\\Cal\\";
    for (const char* ext : {"pd1", "sub", "dat"}) {
        const CString source = cal + "Common." + ext;
        const CString target = cal + "VyrTA." + ext;
        CFileFind find;
        if (!find.FindFile(source)) {
            AfxMessageBox(kNoCommonFiles);
            return;
        }
        find.Close();
        DeleteFileA(target);
        if (!CopyFileA(source, target, FALSE)) {
            AfxMessageBox("无法复制计算文件：" + target, MB_ICONEXCLAMATION);
            return;
        }
    }
    if (WriteEngineInput()) {
        m_bRun = 1;
        EndDialog(IDOK);
    }
}

bool CDlgTHMassString::MassPoints(std::vector<int>& numbers, CString& refusal)
{
    numbers.clear();
    CStruct* st = m_pData->Struct();
    if (m_nChoice == 1) {
        // The whole string, with a count that says so, so that no reader of the count
        // leaves a number behind.
        for (POSITION pos = m_NodeList.GetHeadPosition(); pos != nullptr;)
            numbers.push_back(m_NodeList.GetNextT(pos)->m_nCalNo);
        refusal = "没有用于时程结果回显的质点串,请选择!";
        return !numbers.empty();
    }
    refusal = kNoMassPoint;
    // Master nodes follow the ordinary nodes in the engine's numbering.
    const int nodeCount = (int)st->m_pNodeList->GetCount();
    if (st->IsRigid()) {
        for (POSITION pos = st->m_pMainNodeList->GetHeadPosition(); pos != nullptr;)
            numbers.push_back(st->m_pMainNodeList->GetNextT(pos)->m_nNo + nodeCount);
        return !numbers.empty();
    }
    CFloorList* floors = st->m_pFloorList;
    POSITION pos = floors->GetHeadPosition();
    if (pos != nullptr)
        floors->GetNext(pos); // the fixed base has no mass point
    CPNodeList near;
    while (pos != nullptr) {
        CFloor* floor = floors->GetNextT(pos);
        if (floor->m_nKind == 1) {
            if (CMainNode* master = floor->m_pMainNodeList->Get(1))
                numbers.push_back(master->m_nNo + nodeCount);
        } else if (floor->m_nKind == 2) {
            for (POSITION m = floor->m_pMainNodeList->GetHeadPosition(); m != nullptr;)
                numbers.push_back(floor->m_pMainNodeList->GetNextT(m)->m_nNo + nodeCount);
        } else {
            double x = 0.0, y = 0.0;
            floor->GetMassCenter(x, y, -1.0, -1.0);
            if (floor->GetNearNode(CPoint2D(x, y), &near))
                for (POSITION n = near.GetHeadPosition(); n != nullptr;)
                    numbers.push_back(near.GetNextT(n)->m_nCalNo);
        }
    }
    return !numbers.empty();
}

bool CDlgTHMassString::WriteEngineInput()
{
    const CString base = m_pData->ProjectPath() + "\\Cal\\VyrTA";
    const CString wav = base + ".wav";
    try {
        // Created (or emptied) first: a refused string leaves an empty file, as before.
        CFile file(wav, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        std::vector<int> numbers;
        CString refusal;
        if (!MassPoints(numbers, refusal)) {
            file.Close();
            AfxMessageBox(refusal, MB_ICONEXCLAMATION);
            return false;
        }
        CArchive ar(&file, CArchive::store, 4096);
        ar << (int)numbers.size();
        for (int n : numbers)
            ar << n;
        ar.Close();
        file.Close();
    } catch (CException* e) {
        e->Delete();
        AfxMessageBox("无法写入质点串文件：" + wav, MB_ICONEXCLAMATION);
        return false;
    }
    if (!m_pData->Struct()->m_pTHCaseList->FileOut(base)) {
        AfxMessageBox("无法写入时程工况文件：" + base + ".thc", MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}
