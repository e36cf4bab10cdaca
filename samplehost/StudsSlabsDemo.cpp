// Shear studs of the sample model's composite beams, driven through the stud dialogs by a
// scripted user as a person would: a stud group defined in the project's stud library and
// chosen for three composite beams, its studs counted, and the stud design of the three
// beams; then a one-way slab type added in the project's slab library and chosen there.
// What the dialogs showed goes to studs-slabs.txt.
#include <cstdio>
#include <fstream>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/libraries/DlgBeamPinnail.h>
#include <vyr/libraries/DlgBeamPinnailDesign.h>
#include <vyr/libraries/DlgBanLib.h>
#include <vyr/model/section/Ban.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/BanDlgRes.h>
#include <vyr/resources/dialogs/BanLibRes.h>
#include <vyr/resources/dialogs/StudRes.h>
#include <vyr/scripteduser.h>

#include "DemoSupport.h"
#include "demos.h"

using vyr::ScriptedUser;

namespace {

// The first three ordinary beams of the first storey, made composite; their rooms get
// negative slab reinforcement so that the design can use the slab.
void MakeCompositeBeams(CGlobalData& model, CBeamList& out)
{
    CStruct* st = model.Struct();
    CPlateSteelBarGroup* bars = new CPlateSteelBarGroup(1, 10, 150);
    st->m_pPlateSteelBarGroupList->Add(bars);
    for (POSITION pos = st->m_pBeamList->GetHeadPosition(); pos != nullptr && out.GetCount() < 3;) {
        CBeamBase* b = st->m_pBeamList->GetNextT(pos);
        if (b->GetType() != 2 || b->GetFloor() == nullptr || b->GetFloor()->GetNo() != 1)
            continue;
        b->SetBeamDesignType(2);
        if (CPlane* room = b->GetSlabPlane())
            room->m_pBarGroup[1] = bars;
        out.AddTail(b);
    }
}

std::string ListRows(CDialog* dlg, int id)
{
    std::string text;
    CListCtrl* list = (CListCtrl*)dlg->GetDlgItem(id);
    for (int i = 0; i < list->GetItemCount(); ++i)
        text += "  " + list->GetItemText(i, 0).str() + "  " + list->GetItemText(i, 1).str() + "\n";
    return text;
}

} // namespace

int RunStudsSlabsDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);
    CGlobalData model;
    BuildSampleModel(model);
    CBeamList composite;
    MakeCompositeBeams(model, composite);
    std::string report = "Composite beams: " + std::to_string(composite.GetCount()) + "\n";

    // The stud library: a group of 19 mm studs, 100 mm high, every 150 mm in two rows,
    // chosen and given to the composite beams as the property grid gives it.
    std::string library;
    ScriptedUser::Click(IDC_PIN_ADD, IDD_BEAMPINNAIL);
    ScriptedUser::SelectRow(IDC_PIN_DIAMETER, 2, IDD_PINNAILGROUP);
    ScriptedUser::SetText(IDC_PIN_HEIGHT, "100", IDD_PINNAILGROUP);
    ScriptedUser::SetText(IDC_PIN_SPACE, "150", IDD_PINNAILGROUP);
    ScriptedUser::PressOK(IDD_PINNAILGROUP);
    ScriptedUser::Run([&library](CDialog* dlg) { library = ListRows(dlg, IDC_PIN_LIST); }, IDD_BEAMPINNAIL);
    ScriptedUser::SelectRow(IDC_PIN_LIST, 0, IDD_BEAMPINNAIL);
    ScriptedUser::PressOK(IDD_BEAMPINNAIL);
    CDlgBeamPinnail libDlg;
    libDlg.m_pData = &model;
    CPinNailGroup* group = libDlg.DoModal() == IDOK ? libDlg.m_pPinNailGroup : nullptr;
    report += "Stud library (工程栓钉库):\n" + library;
    if (group == nullptr) {
        std::printf("studs: no group chosen\n");
        return 1;
    }
    for (POSITION pos = composite.GetHeadPosition(); pos != nullptr;)
        composite.GetNextT(pos)->m_pPinNailGroup = group;

    // The count of the chosen group.
    ScriptedUser::SelectRow(IDC_PIN_LIST, 0, IDD_BEAMPINNAIL);
    ScriptedUser::Click(IDC_PIN_COUNT, IDD_BEAMPINNAIL);
    ScriptedUser::AnswerMessageBox(IDOK);
    ScriptedUser::PressCancel(IDD_BEAMPINNAIL);
    CDlgBeamPinnail countDlg;
    countDlg.m_pData = &model;
    countDlg.DoModal();
    const auto boxes = ScriptedUser::MessageBoxes();
    const std::string count = boxes.empty() ? "" : boxes.back().text.str();
    report += "Count: " + count + "\n";
    std::printf("studs: %s\n", count.c_str());

    // The stud design of the three beams with the dialog's trial group.
    std::string rows, proposal;
    ScriptedUser::Run(
        [&](CDialog* dlg) {
            rows = ListRows(dlg, IDC_PIN_DESIGNLIST);
            CString s;
            dlg->GetDlgItemText(IDC_PIN_SPACE, s);
            proposal = s.str();
        },
        IDD_BEAMPINNAILDESIGN);
    ScriptedUser::PressCancel(IDD_BEAMPINNAILDESIGN);
    CDlgBeamPinnailDesign design;
    design.m_pData = &model;
    design.m_pBeamList = &composite;
    design.DoModal();
    report += "Stud design (栓钉设计), spacing in mm:\n" + rows + "Proposed spacing: " + proposal + "\n";
    std::printf("stud design: %d beams, proposed spacing %s mm\n", (int)composite.GetCount(), proposal.c_str());

    // The slab library: on the one-way tab a 180 mm slab type is added and chosen.
    std::string slabRows;
    ScriptedUser::SelectRow(IDC_BANLIB_TAB, 1, IDD_BANLIB);
    ScriptedUser::Click(IDC_BANLIB_ADD, IDD_BANLIB);
    ScriptedUser::SetText(IDC_BAN_DEPTH, "180", IDD_BANCONCRETEADD);
    ScriptedUser::PressOK(IDD_BANCONCRETEADD);
    ScriptedUser::Run([&slabRows](CDialog* dlg) { slabRows = ListRows(dlg, IDC_BANLIB_LIST); }, IDD_BANLIB);
    const int added = (int)model.Struct()->m_pBanConcreteList->GetCount() + 1;
    ScriptedUser::SelectRow(IDC_BANLIB_LIST, added - 1, IDD_BANLIB);
    ScriptedUser::PressOK(IDD_BANLIB);
    CDlgBanLib slabLib;
    slabLib.m_pData = &model;
    CBan* slab = slabLib.DoModal() == IDOK ? slabLib.m_pBan : nullptr;
    report += "Slab library (工程楼板库), one-way slabs:\n" + slabRows;
    CString chosen = "none";
    if (slab != nullptr)
        chosen.Format("CP%d, h = %.0f mm", slab->m_nNo, slab->m_fThick);
    report += "Chosen slab type: " + chosen.str() + "\n";
    std::printf("slab library: chosen %s\n", chosen.GetString());

    const std::string path = outDir + "/studs-slabs.txt";
    std::ofstream(path) << report;
    std::printf("studs and slabs: %s\n", path.c_str());
    ScriptedUser::Reset();
    const bool slabOk = slab != nullptr && slab->m_nNo == added && slab->m_fThick == 180.0f;
    return failures == 0 && !count.empty() && !proposal.empty() && slabOk ? 0 : 1;
}
