#include <vyr/drawing/DlgDrawResult.h>

#include <cmath>
#include <string>

#include <vyr/controls.h>
#include <vyr/model/dxf/DXFOutput.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/struct/GlobalData.h>
#include <vyr/resources/dialogs/DrawResultRes.h>

namespace
{
// The item combos that the template fills, and the model-list combos InitCombos fills.
const int kDrawTemplateCombos[] = {IDC_DRAW_NODE_ITEM, IDC_DRAW_BEAM_ITEM,         IDC_DRAW_LOAD_ITEM,
                                   IDC_DRAW_DESIGNPROP_ITEM, IDC_DRAW_DESIGNRESULT_ITEM, IDC_DRAW_BF_CLC_ITEM,
                                   IDC_DRAW_ND_CLC_ITEM, IDC_DRAW_NSF_ITEM};

// The boxes whose combos count six files per item, one per item, and the plain boxes.
const std::pair<int, int> kDrawSixPerItem[] = {
    {IDC_DRAW_BF_BLC, IDC_DRAW_BF_BLC_ITEM}, {IDC_DRAW_BF_LC, IDC_DRAW_BF_LC_ITEM}, {IDC_DRAW_BF_LCSTD, IDC_DRAW_BF_LCSTD_ITEM}};
const std::pair<int, int> kDrawOnePerItem[] = {
    {IDC_DRAW_BF_CLC, IDC_DRAW_BF_CLC_ITEM},       {IDC_DRAW_ND_BLC, IDC_DRAW_ND_BLC_ITEM},
    {IDC_DRAW_ND_LC, IDC_DRAW_ND_LC_ITEM},         {IDC_DRAW_ND_CLC, IDC_DRAW_ND_CLC_ITEM},
    {IDC_DRAW_NSF, IDC_DRAW_NSF_ITEM},             {IDC_DRAW_NODE, IDC_DRAW_NODE_ITEM},
    {IDC_DRAW_BEAM, IDC_DRAW_BEAM_ITEM},           {IDC_DRAW_LOAD, IDC_DRAW_LOAD_ITEM},
    {IDC_DRAW_DESIGNPROP, IDC_DRAW_DESIGNPROP_ITEM}, {IDC_DRAW_DESIGNRESULT, IDC_DRAW_DESIGNRESULT_ITEM}};
const int kDrawPlainBoxes[] = {IDC_DRAW_NSF0, IDC_DRAW_NSF1, IDC_DRAW_MODEL, IDC_DRAW_BCINWALL, IDC_DRAW_PLANE, IDC_DRAW_MAINNODE};

bool DrawFolderExists(const CString& path)
{
    const DWORD a = ::GetFileAttributesA(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
} // namespace

BEGIN_MESSAGE_MAP(CDlgDrawResult, CDialog)
    ON_BN_CLICKED(IDC_DRAW_SELALL, &CDlgDrawResult::OnSel)
    ON_BN_CLICKED(IDC_DRAW_UNSELALL, &CDlgDrawResult::OnUnSel)
    ON_BN_CLICKED(IDC_DRAW_EXPORT, &CDlgDrawResult::OnExport)
    ON_BN_CLICKED(IDC_DRAW_BF_BLC, &CDlgDrawResult::OnClickCheck)
    ON_BN_CLICKED(IDC_DRAW_BF_LC, &CDlgDrawResult::OnClickCheck)
    ON_BN_CLICKED(IDC_DRAW_BF_CLC, &CDlgDrawResult::OnClickCheck)
    ON_BN_CLICKED(IDC_DRAW_BF_LCSTD, &CDlgDrawResult::OnClickCheck)
    ON_BN_CLICKED(IDC_DRAW_ND_BLC, &CDlgDrawResult::OnClickCheck)
    ON_BN_CLICKED(IDC_DRAW_ND_LC, &CDlgDrawResult::OnClickCheck)
    ON_BN_CLICKED(IDC_DRAW_ND_CLC, &CDlgDrawResult::OnClickCheck)
    ON_BN_CLICKED(IDC_DRAW_NSF, &CDlgDrawResult::OnClickCheck)
    ON_BN_CLICKED(IDC_DRAW_NSF0, &CDlgDrawResult::OnClickCheck)
    ON_BN_CLICKED(IDC_DRAW_NSF1, &CDlgDrawResult::OnClickCheck)
    ON_BN_CLICKED(IDC_DRAW_MODEL, &CDlgDrawResult::OnClickCheck)
    ON_BN_CLICKED(IDC_DRAW_NODE, &CDlgDrawResult::OnClickCheck)
    ON_BN_CLICKED(IDC_DRAW_BEAM, &CDlgDrawResult::OnClickCheck)
    ON_BN_CLICKED(IDC_DRAW_BCINWALL, &CDlgDrawResult::OnClickCheck)
    ON_BN_CLICKED(IDC_DRAW_PLANE, &CDlgDrawResult::OnClickCheck)
    ON_BN_CLICKED(IDC_DRAW_MAINNODE, &CDlgDrawResult::OnClickCheck)
    ON_BN_CLICKED(IDC_DRAW_LOAD, &CDlgDrawResult::OnClickCheck)
    ON_BN_CLICKED(IDC_DRAW_DESIGNPROP, &CDlgDrawResult::OnClickCheck)
    ON_BN_CLICKED(IDC_DRAW_DESIGNRESULT, &CDlgDrawResult::OnClickCheck)
    ON_MESSAGE(WM_THREAD_CHECKCANCEL, &CDlgDrawResult::OnCheckCancel)
    ON_MESSAGE(WM_THREAD_RUNEND, &CDlgDrawResult::OnRunEnd)
END_MESSAGE_MAP()

CDlgDrawResult::CDlgDrawResult(UINT nIDTemplate, CGlobalData* pData, CWnd* pParent, bool b3D)
    : CDialog(nIDTemplate, pParent), m_pGlobalData(pData), m_pCheckLimit(nullptr), m_b3D(b3D)
{
    m_pCheckLimit = &m_DefaultLimit;
    if (b3D)
        m_arrControl.push_back({IDC_DRAW_SCOPEKIND, KIND_COMBO});
    const std::pair<int, int> controls[] = {
        {IDC_DRAW_SCOPE, KIND_COMBO},     {IDC_DRAW_BF_BLC, KIND_CHECK},        {IDC_DRAW_BF_BLC_ITEM, KIND_COMBO},
        {IDC_DRAW_BF_LC, KIND_CHECK},     {IDC_DRAW_BF_LC_ITEM, KIND_COMBO},    {IDC_DRAW_BF_CLC, KIND_CHECK},
        {IDC_DRAW_BF_CLC_ITEM, KIND_COMBO}, {IDC_DRAW_BF_LCSTD, KIND_CHECK},    {IDC_DRAW_BF_LCSTD_ITEM, KIND_COMBO},
        {IDC_DRAW_ND_BLC, KIND_CHECK},    {IDC_DRAW_ND_BLC_ITEM, KIND_COMBO},   {IDC_DRAW_ND_LC, KIND_CHECK},
        {IDC_DRAW_ND_LC_ITEM, KIND_COMBO}, {IDC_DRAW_ND_CLC, KIND_CHECK},       {IDC_DRAW_ND_CLC_ITEM, KIND_COMBO},
        {IDC_DRAW_NSF, KIND_CHECK},       {IDC_DRAW_NSF_ITEM, KIND_COMBO},      {IDC_DRAW_NSF0, KIND_CHECK},
        {IDC_DRAW_NSF1, KIND_CHECK},      {IDC_DRAW_MODEL, KIND_CHECK},         {IDC_DRAW_NODE, KIND_CHECK},
        {IDC_DRAW_NODE_ITEM, KIND_COMBO}, {IDC_DRAW_BEAM, KIND_CHECK},          {IDC_DRAW_BEAM_ITEM, KIND_COMBO},
        {IDC_DRAW_BCINWALL, KIND_CHECK},  {IDC_DRAW_PLANE, KIND_CHECK},         {IDC_DRAW_MAINNODE, KIND_CHECK},
        {IDC_DRAW_LOAD, KIND_CHECK},      {IDC_DRAW_LOAD_ITEM, KIND_COMBO},     {IDC_DRAW_DESIGNPROP, KIND_CHECK},
        {IDC_DRAW_DESIGNPROP_ITEM, KIND_COMBO}, {IDC_DRAW_DESIGNRESULT, KIND_CHECK}, {IDC_DRAW_DESIGNRESULT_ITEM, KIND_COMBO}};
    m_arrControl.insert(m_arrControl.end(), std::begin(controls), std::end(controls));
    m_arrCheckCombo = {{IDC_DRAW_BF_BLC, IDC_DRAW_BF_BLC_ITEM},     {IDC_DRAW_BF_LC, IDC_DRAW_BF_LC_ITEM},
                       {IDC_DRAW_BF_CLC, IDC_DRAW_BF_CLC_ITEM},     {IDC_DRAW_BF_LCSTD, IDC_DRAW_BF_LCSTD_ITEM},
                       {IDC_DRAW_ND_BLC, IDC_DRAW_ND_BLC_ITEM},     {IDC_DRAW_ND_LC, IDC_DRAW_ND_LC_ITEM},
                       {IDC_DRAW_ND_CLC, IDC_DRAW_ND_CLC_ITEM},     {IDC_DRAW_NSF, IDC_DRAW_NSF_ITEM},
                       {IDC_DRAW_NODE, IDC_DRAW_NODE_ITEM},         {IDC_DRAW_BEAM, IDC_DRAW_BEAM_ITEM},
                       {IDC_DRAW_LOAD, IDC_DRAW_LOAD_ITEM},         {IDC_DRAW_DESIGNPROP, IDC_DRAW_DESIGNPROP_ITEM},
                       {IDC_DRAW_DESIGNRESULT, IDC_DRAW_DESIGNRESULT_ITEM}};
}

CDlgDrawResult::~CDlgDrawResult() = default;

HWND CDlgDrawResult::Item(int id) const { return ::GetDlgItem(m_hDlg, id); }

bool CDlgDrawResult::IsBusy() { return Run().IsBusy(); }

BOOL CDlgDrawResult::OnInitDialog()
{
    m_hDlg = m_hWnd;
    CDialog::OnInitDialog();
    InitCombos();
    SetCheck(true);
    OnSelchangeComboContent();
    return TRUE;
}

void CDlgDrawResult::OnOK()
{
    if (IsBusy())
        return;
    CDialog::OnOK();
}

void CDlgDrawResult::OnCancel()
{
    if (IsBusy())
        return;
    CDialog::OnCancel();
}

void CDlgDrawResult::Enable(bool on)
{
    for (const auto& [id, kind] : m_arrControl)
        if (HWND h = Item(id))
            ::EnableWindow(h, on ? TRUE : FALSE);
    if (on) {
        ClickCheck();
        OnSelchangeComboContent();
    }
}

void CDlgDrawResult::ClickCheck()
{
    for (const auto& [check, combo] : m_arrCheckCombo)
        if (HWND h = Item(combo))
            ::EnableWindow(h, IsChecked(check) ? TRUE : FALSE);
}

void CDlgDrawResult::SetCheck(bool on)
{
    for (const auto& [id, kind] : m_arrControl)
        if (kind == KIND_CHECK)
            if (HWND h = Item(id))
                ::SendMessage(h, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    ClickCheck();
}

bool CDlgDrawResult::IsChecked(int id)
{
    HWND h = Item(id);
    return h != nullptr && ::SendMessage(h, BM_GETCHECK, 0, 0) != 0;
}

int CDlgDrawResult::GetComboSel(int id)
{
    HWND h = Item(id);
    return h != nullptr ? (int)::SendMessage(h, CB_GETCURSEL, 0, 0) : CB_ERR;
}

int CDlgDrawResult::GetComboCount(int id)
{
    HWND h = Item(id);
    return h != nullptr ? (int)::SendMessage(h, CB_GETCOUNT, 0, 0) : 0;
}

DWORD_PTR CDlgDrawResult::GetComboData(int id)
{
    HWND h = Item(id);
    if (h == nullptr)
        return 0;
    const int sel = (int)::SendMessage(h, CB_GETCURSEL, 0, 0);
    return sel < 0 ? 0 : (DWORD_PTR)::SendMessage(h, CB_GETITEMDATA, (WPARAM)sel, 0);
}

CString CDlgDrawResult::GetComboString(int index, int id)
{
    HWND h = Item(id);
    if (h == nullptr)
        return CString();
    const int len = (int)::SendMessage(h, CB_GETLBTEXTLEN, (WPARAM)index, 0);
    if (len < 0)
        return CString();
    std::string text((size_t)len + 1, '\0');
    ::SendMessage(h, CB_GETLBTEXT, (WPARAM)index, (LPARAM)text.data());
    text.resize(std::char_traits<char>::length(text.c_str()));
    return CString(text.c_str());
}

void CDlgDrawResult::InitCombos()
{
    for (int id : kDrawTemplateCombos)
        if (HWND h = Item(id))
            ::SendMessage(h, CB_SETCURSEL, 0, 0);
    CStruct* st = m_pGlobalData != nullptr ? m_pGlobalData->Struct() : nullptr;
    auto fill = [&](int id, CObList* list, auto describe) {
        HWND h = Item(id);
        if (h == nullptr)
            return;
        ::SendMessage(h, CB_RESETCONTENT, 0, 0);
        int i = (int)::SendMessage(h, CB_ADDSTRING, 0, (LPARAM) "全部");
        ::SendMessage(h, CB_SETITEMDATA, (WPARAM)i, 0);
        if (list != nullptr)
            for (POSITION pos = list->GetHeadPosition(); pos != nullptr;) {
                CObject* o = list->GetNext(pos);
                const CString text = describe(o);
                i = (int)::SendMessage(h, CB_ADDSTRING, 0, (LPARAM)text.GetString());
                ::SendMessage(h, CB_SETITEMDATA, (WPARAM)i, (LPARAM)o);
            }
        ::SendMessage(h, CB_SETCURSEL, 0, 0);
    };
    auto caseText = [](CObject* o) { return static_cast<CBasicLoadCase*>(o)->GetDescription(); };
    auto combText = [](CObject* o) { return static_cast<CLoadCombination*>(o)->GetDescription(); };
    CObList* cases = st != nullptr ? m_pGlobalData->GetCurBasicLCList() : nullptr;
    CObList* basic = st != nullptr ? m_pGlobalData->GetSLCList() : nullptr;
    CObList* standard = st != nullptr ? m_pGlobalData->GetSDispLCList() : nullptr;
    fill(IDC_DRAW_BF_BLC_ITEM, cases, caseText);
    fill(IDC_DRAW_ND_BLC_ITEM, cases, caseText);
    fill(IDC_DRAW_BF_LC_ITEM, basic, combText);
    fill(IDC_DRAW_BF_LCSTD_ITEM, standard, combText);
    fill(IDC_DRAW_ND_LC_ITEM, standard, combText);
    if (HWND h = Item(IDC_DRAW_LOAD_ITEM); h != nullptr && st != nullptr)
        for (INT_PTR i = 0; i < st->m_arrCraneNodeLoad.GetSize(); ++i)
            if (auto* hoist = static_cast<CLoadCraneList*>(st->m_arrCraneNodeLoad.GetAt(i))) {
                CString text;
                text.Format("吊荷%d ", hoist->m_nNo);
                ::SendMessage(h, CB_ADDSTRING, 0, (LPARAM)text.GetString());
            }
}

CString CDlgDrawResult::GetTemplateFile() { return CVyrFunc::GetAppPath() + "\\Template\\VYRPrint.dxf"; }

CString CDlgDrawResult::FolderName(const CString& text)
{
    std::string s = text.GetString();
    for (char& c : s)
        if (c == '\\' || c == '/' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|')
            c = '_';
    return CString(s.c_str());
}

CString CDlgDrawResult::StoreyText(CFloor* floor) const
{
    const float u = m_pGlobalData->UnitLength();
    // From the single-precision factor, so that u = 0.001 gives 3 decimals.
    const int decimals = (int)(1.0 - std::log10((double)u));
    return floor->GetDescription() + "(" + CStringFunc::GetStrFromDouble(floor->GetZ() * u, decimals) + ")";
}

void CDlgDrawResult::AddStoreyItems(int comboId)
{
    HWND h = Item(comboId);
    CStruct* st = m_pGlobalData->Struct();
    if (h == nullptr || st == nullptr)
        return;
    std::vector<CFloorTreeItem> tree;
    st->m_pFloorList->TurnToFloorTree(tree);
    auto add = [&](CFloor* f, const char* indent) {
        const CString text = CString(indent) + StoreyText(f);
        const int i = (int)::SendMessage(h, CB_ADDSTRING, 0, (LPARAM)text.GetString());
        ::SendMessage(h, CB_SETITEMDATA, (WPARAM)i, (LPARAM)f);
    };
    for (const CFloorTreeItem& item : tree) {
        add(item.pMainFloor, "");
        for (CFloor* child : item.arrChild)
            add(child, "   ");
    }
}

std::vector<DWORD_PTR> CDlgDrawResult::ChosenItems(int comboId)
{
    std::vector<DWORD_PTR> out;
    HWND h = Item(comboId);
    if (h == nullptr)
        return out;
    const int sel = (int)::SendMessage(h, CB_GETCURSEL, 0, 0);
    if (sel > 0) {
        out.push_back((DWORD_PTR)::SendMessage(h, CB_GETITEMDATA, (WPARAM)sel, 0));
    } else if (sel == 0) {
        const int n = (int)::SendMessage(h, CB_GETCOUNT, 0, 0);
        for (int i = 1; i < n; ++i)
            out.push_back((DWORD_PTR)::SendMessage(h, CB_GETITEMDATA, (WPARAM)i, 0));
    }
    return out;
}

void CDlgDrawResult::FillWholeStructure(COutputContentBase& scope)
{
    CStruct* st = m_pGlobalData->Struct();
    scope.m_NodeList.CopyPointer(st->m_pNodeList);
    scope.m_BeamList.CopyPointer(st->m_pBeamList);
    scope.m_BeamList.CopyPointer(st->m_pBCInWallList1);
    scope.m_BeamList.CopyPointer(st->m_pBCInWallList2);
    for (POSITION pos = st->m_pFloorList->GetHeadPosition(); pos != nullptr;)
        scope.m_PlaneList.CopyPointer(st->m_pFloorList->GetNextT(pos)->m_pPlaneList);
}

int CDlgDrawResult::FilesPerScope()
{
    int sum = 0;
    for (const auto& [check, combo] : kDrawSixPerItem)
        if (IsChecked(check))
            sum += GetComboSel(combo) != 0 ? 6 : 6 * (GetComboCount(combo) - 1);
    for (const auto& [check, combo] : kDrawOnePerItem)
        if (IsChecked(check))
            sum += GetComboSel(combo) != 0 ? 1 : GetComboCount(combo) - 1;
    for (int check : kDrawPlainBoxes)
        if (IsChecked(check))
            sum += 1;
    return sum;
}

void CDlgDrawResult::OnExport()
{
    if (IsBusy()) {
        // Read by the worker's next poll.
        if (m_pThread != nullptr)
            m_pThread->PostThreadMessage(WM_EXPORT_CANCEL, 0, 0);
        return;
    }
    if (auto* bar = dynamic_cast<CProgressCtrl*>(GetDlgItem(IDC_DRAW_PROGRESS))) {
        bar->SetRange32(0, GetOutputNum());
        bar->SetPos(0);
        bar->SetStep(1);
        bar->ShowWindow(SW_SHOW);
    }
    m_nFailed = 0;
    m_strFirstFailed.Empty();
    // The wait cursor is the user-interface thread's: shown here, ended when the run is.
    AfxGetApp()->BeginWaitCursor();
    m_pThread = Run().Start(&CDlgDrawResult::Output, this, THREAD_PRIORITY_NORMAL);
    if (m_pThread == nullptr)
        AfxGetApp()->EndWaitCursor();
}

LRESULT CDlgDrawResult::OnCheckCancel(WPARAM, LPARAM) { return Run().OnCheckCancel(); }

LRESULT CDlgDrawResult::OnRunEnd(WPARAM wParam, LPARAM)
{
    if (!Run().OnRunEnd(wParam))
        return 0;
    m_pThread = nullptr;
    AfxGetApp()->EndWaitCursor();
    return 0;
}

UINT CDlgDrawResult::Output(void* dialog)
{
    auto* dlg = static_cast<CDlgDrawResult*>(dialog);
    const UINT result = (UINT)dlg->DoOutput();
    dlg->Run().Finish();
    return result;
}

int CDlgDrawResult::DoOutput()
{
    ::SetWindowText(Item(IDC_DRAW_EXPORT), "取消导出");
    EnableForRun(false);
    ResetOutputContent();
    if (ExitOutput(this) == 1)
        return 0;
    int (CDlgDrawResult::*const generators[])() = {
        &CDlgDrawResult::Gen_BF_BLC, &CDlgDrawResult::Gen_BF_LC, &CDlgDrawResult::Gen_BF_CLC,
        &CDlgDrawResult::Gen_BF_LC_STD, &CDlgDrawResult::Gen_ND_BLC, &CDlgDrawResult::Gen_ND_LC,
        &CDlgDrawResult::Gen_ND_CLC};
    for (auto gen : generators)
        if ((this->*gen)() == 0)
            return 0;
    if (Gen_NSF() == 0 || Gen_NSF(0) == 0 || Gen_NSF(1) == 0)
        return 0;
    int (CDlgDrawResult::*const later[])() = {
        &CDlgDrawResult::Gen_Model,        &CDlgDrawResult::Gen_Model_Node,     &CDlgDrawResult::Gen_Model_Beam,
        &CDlgDrawResult::Gen_Model_BCInWall, &CDlgDrawResult::Gen_Model_Plane,  &CDlgDrawResult::Gen_Model_MainNode,
        &CDlgDrawResult::Gen_Model_Load,   &CDlgDrawResult::Gen_Design_Prop,    &CDlgDrawResult::Gen_Design_Result};
    for (auto gen : later)
        if ((this->*gen)() == 0)
            return 0;
    EndOutput();
    if (m_nFailed == 0) {
        AfxMessageBox("导出完毕，请到工程所在目录下查看输出图。", MB_OK | MB_ICONEXCLAMATION);
    } else {
        CString text;
        text.Format("导出结束，但有%d个文件夹或文件未能写出，第一个是：\n%s", m_nFailed, m_strFirstFailed.GetString());
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    }
    return 1;
}

void CDlgDrawResult::EndOutput()
{
    ::SetWindowText(Item(IDC_DRAW_EXPORT), "导出");
    EnableForRun(true);
    if (HWND bar = Item(IDC_DRAW_PROGRESS))
        ::ShowWindow(bar, SW_HIDE);
    // The busy state ends on the user-interface thread once the worker has returned.
}

int CDlgDrawResult::ExitOutput(CDlgDrawResult* dialog)
{
    MSG msg;
    if (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message == WM_EXPORT_CANCEL) {
        dialog->EndOutput();
        return 1;
    }
    // A dialog that is going away stops the run as well; nothing is left to show it.
    if (dialog->Run().Cancelled())
        return 1;
    return 0;
}

void CDlgDrawResult::EnableForRun(bool enable)
{
    Enable(enable);
    for (int id : {IDC_DRAW_SELALL, IDC_DRAW_UNSELALL, IDCANCEL})
        if (HWND h = Item(id))
            ::EnableWindow(h, enable ? TRUE : FALSE);
}

void CDlgDrawResult::StepProgress()
{
    if (HWND bar = Item(IDC_DRAW_PROGRESS))
        ::SendMessage(bar, PBM_STEPIT, 0, 0);
    ::UpdateWindow(m_hDlg);
}

void CDlgDrawResult::NoteFailed(const CString& path)
{
    if (m_nFailed++ == 0)
        m_strFirstFailed = path;
}

CString CDlgDrawResult::CategoryFolder(COutputContentBase& scope, const char* category)
{
    const CString scopeFolder = m_pGlobalData->ProjectPath() + "\\" + scope.m_strName;
    ::CreateDirectoryA(scopeFolder, nullptr);
    if (!DrawFolderExists(scopeFolder)) {
        NoteFailed(scopeFolder);
        return scopeFolder + "\\" + category;
    }
    const CString folder = scopeFolder + "\\" + category;
    ::CreateDirectoryA(folder, nullptr);
    if (!DrawFolderExists(folder))
        NoteFailed(folder);
    return folder;
}

void CDlgDrawResult::StartDrawing(CDXFOutput& dxf, const CString& templateFile, const CString& file)
{
    ::DeleteFileA(file);
    dxf.IntialDXFFile(templateFile, file, true);
}

void CDlgDrawResult::CheckDrawing(const CDXFOutput& dxf, const CString& file)
{
    if (!dxf.IsGood())
        NoteFailed(file);
}

int CDlgDrawResult::Gen_Model()
{
    const CString templateFile = GetTemplateFile();
    if (!IsChecked(IDC_DRAW_MODEL))
        return 1;
    for (int i = 0; i < ScopeCount(); ++i) {
        COutputContentBase& scope = ScopeAt(i);
        const CString file = CategoryFolder(scope, "模型信息图") + "\\" + ModelDrawingName() + ".dxf";
        {
            CDXFOutput dxf;
            StartDrawing(dxf, templateFile, file);
            FigureOf(dxf, scope);
            CheckDrawing(dxf, file);
            if (ExitOutput(this) == 1)
                return 0; // the writer completes the file as it goes
        }
        StepProgress();
    }
    return 1;
}
