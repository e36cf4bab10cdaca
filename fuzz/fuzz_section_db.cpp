// The standard section databases: the first byte picks the country (China, United States,
// United Kingdom, Japan), the rest is that country's database file below the application
// folder (a corrupt SQLite file, tables with missing or mistyped columns). The browser
// opens it and goes through every table of the country: columns and rows, the first rows
// chosen (properties and preview) and made into sections. A database or table that does
// not open gives the browser's message and an empty list.
#include <vyr/host/VyrEntry.h>
#include <vyr/libraries/DlgStdSectionLib.h>
#include <vyr/libraries/SectionCatalog.h>
#include <vyr/model/material/material.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/StdSectionRes.h>
#include <vyr/scripteduser.h>
#include <vyr/winfile.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "FuzzKit.h"

namespace sec = vyr::sections;
using vyr::ScriptedUser;

namespace {

CGlobalData* g_project = nullptr;
CDlgStdSectionLib* g_dlg = nullptr;

std::string DatabaseFile(int country)
{
    std::string rel = sec::kDatabaseFiles[country]; // "\DataBase\..."
    for (char& c : rel)
        if (c == '\\')
            c = '/';
    return fuzzkit::Scratch() + "/app" + rel;
}

// The browser's messages (a database or table that does not open, a row no section can
// have) are answered as a user closing them.
void QuietUser()
{
    ScriptedUser::Reset();
    ScriptedUser::SetFailureHandler([](const std::string&) {});
}

// The tab of a position: as many tabs as the index needs, that one current.
void SelectTab(CTabCtrl& tab, int index)
{
    while (tab.GetItemCount() <= index)
        tab.InsertItem(tab.GetItemCount(), "tab");
    tab.SetCurSel(index);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    vyr::VyrSetResourceDir(fuzzkit::SourceResources().c_str());
    InitVyrUI();
    VyrSetAppFolder((fuzzkit::Scratch() + "/app").c_str());
    g_project = new CGlobalData;
    auto* steel = new CMaterialBase;
    steel->SetType(1);
    steel->SetName("Q235");
    g_project->Struct()->m_pMaterialSteelList->AddMaterial(steel);
    // One browser for every input, kept open: the platform keeps a record of every window
    // it made. With no database yet it says so and hides; it is shown again.
    QuietUser();
    g_dlg = new CDlgStdSectionLib;
    g_dlg->m_pData = g_project;
    g_dlg->m_bBrowse = true;
    if (!g_dlg->Create(IDD_STDSECTIONLIB, nullptr))
        std::abort();
    g_dlg->ShowWindow(SW_SHOW);
    ScriptedUser::Reset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int country = data[0] % 4;
    fuzzkit::WriteFile(DatabaseFile(country), data + 1, size - 1);
    QuietUser();
    CDlgStdSectionLib& dlg = *g_dlg;
    dlg.CloseTable();
    if (dlg.m_database.IsOpen())
        dlg.m_database.Close();
    dlg.m_tabCountry.DeleteAllItems();
    SelectTab(dlg.m_tabCountry, country);
    dlg.m_tabFamily.DeleteAllItems();
    dlg.m_tabSubType.DeleteAllItems();
    if (dlg.OpenDatabase()) {
        for (const sec::CatalogRow& row : sec::kCatalog) {
            if (row.country != country)
                continue;
            SelectTab(dlg.m_tabFamily, row.family);
            SelectTab(dlg.m_tabSubType, sec::TabSubType(row));
            dlg.RunQuery();
            const int rows = std::min(dlg.m_nRecordCount, 3);
            for (int r = 0; r < rows; ++r) {
                if (!vyr::WindowUser::SelectRow(&dlg, IDC_STDSEC_LIST, r))
                    std::abort();
                if (dlg.BuildSection() && dlg.m_pResult != nullptr) {
                    delete dlg.m_pResult;
                    dlg.m_pResult = nullptr;
                }
            }
        }
    }
    dlg.CloseTable();
    if (dlg.m_database.IsOpen())
        dlg.m_database.Close();
    // Sections other than angles joined the project's library.
    g_project->Struct()->m_pSectionList->DeleteAll();
    ScriptedUser::Reset();
    return 0;
}
