#include <vyr/libraries/SectionFile.h>

#include <algorithm>
#include <cstdio>

#include <vyr/archive.h>
#include <vyr/commdlg.h>
#include <vyr/file.h>
#include <vyr/libraries/SectionRows.h>
#include <vyr/libraries/DlgSecAxialType.h>
#include <vyr/libraries/DlgSecProperty.h>
#include <vyr/libraries/DlgStay.h>
#include <vyr/libraries/SectionCatalog.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/SectionRes.h>
#include <vyr/winfile.h>

namespace {

const char* const kBadFile = "不是有效的截面文件，无法读取！";

struct PreviewTab
{
    const char* caption;
    int lo; // bounds exclusive; lo < 0: every section
    int hi;
    int mode;
};
const PreviewTab kPreviewTabs[] = {
    {"全部", -1, 0, 0},      {"自定义", 500, 600, 2}, {"组合", 600, 700, 3}, {"中标准", 100, 200, 1},
    {"英标准", 300, 400, 1}, {"日标准", 400, 500, 1}, {"美标准", 200, 300, 1},
};

// The section libraries' dialogs, for the section lists of the host's area.
void ShowProperty(CSectionBase* pSec)
{
    CDlgSecProperty dlg(nullptr);
    dlg.DoModal(pSec);
}

void ShowAxialType(CSectionBase* pSec)
{
    CDlgSecAxialType dlg(nullptr);
    dlg.DoModal(pSec);
}

bool ChooseStay(CSectionBase* pSec, CGlobalData* pData, CStay*& pChosen)
{
    auto* combined = dynamic_cast<CCombineSecBase*>(pSec);
    if (combined == nullptr)
        return false;
    CDlgStaybase dlg(combined, nullptr);
    dlg.m_pData = pData;
    if (dlg.DoModal() != IDOK)
        return false;
    pChosen = dlg.m_pStay;
    return true;
}

[[maybe_unused]] const bool kCallsInstalled = [] {
    CSectionLibraryCalls& calls = SectionLibraryCalls();
    calls.showProperty = &ShowProperty;
    calls.showAxialType = &ShowAxialType;
    calls.chooseStay = &ChooseStay;
    calls.exportFile = &ExportSectionLibrary;
    calls.importFile = &ImportSectionLibrary;
    return true;
}();

// Every reference of the model to a section of the library, cleared before the library is
// emptied.
void ClearSectionReferences(CStruct* s)
{
    auto clear = [](CBeamList* list) {
        if (list != nullptr)
            for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
                list->GetNextT(pos)->m_pSection = nullptr;
    };
    clear(s->m_pBeamList);
    clear(s->m_pBCInWallList1);
    clear(s->m_pBCInWallList2);
    if (s->m_pBeamGroupList != nullptr)
        for (POSITION pos = s->m_pBeamGroupList->GetHeadPosition(); pos != nullptr;) {
            CBeamGroup* g = s->m_pBeamGroupList->GetNextT(pos);
            g->m_pSection = nullptr;
            g->m_pOptSection = nullptr;
        }
    if (s->m_pPlaneList != nullptr)
        for (POSITION pos = s->m_pPlaneList->GetHeadPosition(); pos != nullptr;)
            clear(s->m_pPlaneList->GetNextT(pos)->m_pSubBeamList);
}

} // namespace

// ---------------------------------------------------------------- files

CString SectionFileTarget(const CString& fullPath, const CString& fileName, const CString& fileTitle)
{
    const CString folder = fullPath.Left(std::max(0, fullPath.GetLength() - fileName.GetLength() - 1));
    return folder + "\\" + fileTitle + ".sec";
}

bool WriteSectionFile(CGlobalData* pData, const CString& target)
{
    CStruct* s = pData != nullptr ? pData->Struct() : nullptr;
    if (s == nullptr || s->m_pSectionList == nullptr)
        return false;
    const CString temp = target + ".part";
    bool ok = false;
    try {
        CFile file;
        if (file.Open(temp, CFile::modeCreate | CFile::modeWrite)) {
            CArchive ar(&file, CArchive::store, 4096);
            s->m_pSectionList->FileInOut(ar, s->m_pMaterialSteelList, s->m_pMaterialConcreteList);
            ar.Close();
            file.Close();
            CFile::Rename(temp, target);
            ok = true;
        }
    } catch (CException* e) {
        e->Delete();
    }
    if (!ok)
        VyrRemove(temp);
    return ok;
}

void MoveSections(CSectionList& from, CSectionList& to)
{
    int next = 0;
    for (POSITION pos = to.GetHeadPosition(); pos != nullptr;)
        next = std::max(next, static_cast<CSectionBase*>(to.GetNext(pos))->m_nNo);
    for (POSITION pos = from.GetHeadPosition(); pos != nullptr;) {
        auto* s = static_cast<CSectionBase*>(from.GetNext(pos));
        // A stored section whose dimensions no longer make sense is still kept, as reading
        // keeps it.
        if (!to.Add(s, false)) {
            s->m_nNo = next + 1;
            to.AddTail(s);
        }
        next = std::max(next, s->m_nNo);
    }
    from.RemoveAll();
}

bool ReadSectionFile(CGlobalData* pData, const CString& path, CSectionList& into)
{
    CStruct* s = pData != nullptr ? pData->Struct() : nullptr;
    if (s == nullptr)
        return false;
    CSectionList read;
    try {
        CFile file;
        if (!file.Open(path, CFile::modeRead))
            return false;
        CArchive ar(&file, CArchive::load, 4096);
        read.FileInOut(ar, s->m_pMaterialSteelList, s->m_pMaterialConcreteList);
        ar.Close();
        file.Close();
    } catch (CException* e) {
        e->Delete();
        return false;
    }
    MoveSections(read, into);
    return true;
}

void ExportSectionLibrary(CGlobalData* pData)
{
    CFileDialog dlg(FALSE, ".SEC", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    "SEC Files (*.SEC)|*.SEC|All Files (*.*)|*.*||");
    if (dlg.DoModal() != IDOK)
        return;
    const CString target = SectionFileTarget(dlg.GetPathName(), dlg.GetFileName(), dlg.GetFileTitle());
    if (!WriteSectionFile(pData, target))
        AfxMessageBox("截面文件写入失败，原有文件未改变！");
}

bool ImportSectionLibrary(CGlobalData* pData, bool& bReplaced)
{
    bReplaced = false;
    CStruct* s = pData != nullptr ? pData->Struct() : nullptr;
    if (s == nullptr || s->m_pSectionList == nullptr)
        return false;
    CDlgSectionImport dlg(nullptr);
    dlg.m_pGlobalData = pData;
    if (dlg.DoModal() != IDOK)
        return false;
    // Read whole before anything changes: a file that fails to read leaves the library and
    // every member as they were.
    CSectionList read;
    if (!ReadSectionFile(pData, dlg.m_strPath, read)) {
        AfxMessageBox(kBadFile);
        return false;
    }
    if (dlg.m_nReplace == 1) {
        ClearSectionReferences(s);
        s->m_pSectionList->DeleteAll();
        bReplaced = true;
    }
    MoveSections(read, *s->m_pSectionList);
    return true;
}

// ---------------------------------------------------------------- import dialog

BEGIN_MESSAGE_MAP(CDlgSectionImport, CDialog)
    ON_BN_CLICKED(IDC_SECIMP_BROWSE, &CDlgSectionImport::OnBrowse)
    ON_BN_CLICKED(IDC_SECIMP_PREVIEW, &CDlgSectionImport::OnPreview)
    ON_NOTIFY(TCN_SELCHANGE, IDC_SECIMP_TAB, &CDlgSectionImport::OnTabChange)
END_MESSAGE_MAP()

CDlgSectionImport::CDlgSectionImport(CWnd* pParent) : CDialog((UINT)IDD_SECTION_IMPORT, pParent) {}

void CDlgSectionImport::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SECIMP_TAB, m_tab);
    DDX_Control(pDX, IDC_SECIMP_LIST, m_list);
    DDX_Text(pDX, IDC_SECIMP_PATH, m_strPath);
    DDX_Check(pDX, IDC_SECIMP_REPLACE, m_nReplace);
}

BOOL CDlgSectionImport::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.InsertColumn(0, "编号", LVCFMT_LEFT, 40);
    m_list.InsertColumn(1, "       截 面 描  述  ", LVCFMT_LEFT, 220);
    m_list.InsertColumn(2, " 材 料", LVCFMT_LEFT, 60);
    for (int i = 0; i < (int)(sizeof kPreviewTabs / sizeof kPreviewTabs[0]); ++i)
        m_tab.InsertItem(i, kPreviewTabs[i].caption);
    m_tab.SetCurSel(0);
    UpdateData(FALSE);
    return TRUE;
}

CString CDlgSectionImport::CheckPath(const CString& path)
{
    if (path.IsEmpty())
        return "截面文件路径不能为空！";
    const CString tail = path.Right(4);
    if (path.GetLength() < 4 || (tail != ".SEC" && tail != ".sec" && tail != ".Sec"))
        return "文件格式不对，请确认为SEC、sec、Sec后缀！";
    FILE* f = VyrFopen(path, "rt");
    if (f == nullptr)
        return "截面文件路径不对！";
    std::fclose(f);
    return CString();
}

bool CDlgSectionImport::PathAccepted(CString& path)
{
    GetDlgItemText(IDC_SECIMP_PATH, path);
    const CString refusal = CheckPath(path);
    if (refusal.IsEmpty())
        return true;
    AfxMessageBox(refusal);
    return false;
}

void CDlgSectionImport::OnOK()
{
    // A preview is not needed: the path is checked as it stands in the box.
    CString path;
    if (PathAccepted(path))
        CDialog::OnOK();
}

void CDlgSectionImport::OnBrowse()
{
    CFileDialog dlg(TRUE, ".", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "SEC(*.SEC)|*.SEC|All Files (*.*)|*.*||");
    if (dlg.DoModal() != IDOK)
        return;
    m_strPath = dlg.GetPathName();
    SetDlgItemText(IDC_SECIMP_PATH, m_strPath);
}

void CDlgSectionImport::OnPreview()
{
    CString path;
    if (!PathAccepted(path))
        return;
    CSectionList read;
    if (!ReadSectionFile(m_pGlobalData, path, read)) {
        AfxMessageBox(kBadFile);
        return;
    }
    m_listPreview.DeleteAll();
    MoveSections(read, m_listPreview);
    FillPreview();
}

void CDlgSectionImport::OnTabChange(NMHDR*, LRESULT* pResult)
{
    FillPreview();
    *pResult = 0;
}

void CDlgSectionImport::FillPreview()
{
    const int tab = std::max(0, m_tab.GetCurSel());
    const PreviewTab& t = kPreviewTabs[tab];
    m_arrPreview.InitOnSec(&m_listPreview, t.mode, 0);
    m_list.DeleteAllItems();
    int row = 0;
    for (int i = 0; i < m_arrPreview.GetCount(); ++i) {
        CSectionBase* s = m_arrPreview[i];
        if (t.lo >= 0 && !vyr::sections::InRange(s->m_nType, t.lo, t.hi))
            continue;
        CString no;
        no.Format("Sec%d", i + 1);
        m_list.InsertItem(row, no);
        m_list.SetItemText(row, 1, s->GetSimpleSecName());
        m_list.SetItemText(row, 2, CSectionRows::MaterialText(s, false));
        ++row;
    }
}
