// The profiled-sheet database: any bytes as the sheet file below the application folder
// (a corrupt SQLite file, a sheet table with missing or mistyped columns), opened and read
// the way the slab dialogs read it: columns, the list, every record's details and numbers.
// A file that is not a sheet database is refused with a CDaoException, which the dialogs
// catch.
#include <vyr/controls.h>
#include <vyr/libraries/ProfiledSheet.h>
#include <vyr/libraries/SectionCatalog.h>
#include <vyr/winfile.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "FuzzKit.h"

namespace {

CWnd* g_host = nullptr;
CListCtrl* g_list = nullptr;

std::string SheetFile()
{
    std::string rel = vyr::sections::kSheetDatabaseFile; // "\DataBase\..."
    for (char& c : rel)
        if (c == '\\')
            c = '/';
    return fuzzkit::Scratch() + "/app" + rel;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    VyrSetAppFolder((fuzzkit::Scratch() + "/app").c_str());
    // One list for every input: the platform keeps a record of every window it made.
    g_host = new CWnd;
    g_list = new CListCtrl;
    if (!g_host->CreateEx(0, nullptr, "host", WS_POPUP, CRect(0, 0, 500, 300), nullptr, 0) ||
        !g_list->Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 400, 200), g_host, 1145))
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzkit::WriteFile(SheetFile(), data, size);
    CProfiledSheetDB db;
    try {
        db.Open();
    } catch (CDaoException* e) {
        if (e->m_pErrorInfo == nullptr || e->m_pErrorInfo->m_strDescription.IsEmpty())
            std::abort(); // the dialogs show the description
        e->Delete();
        return 0;
    }
    while (g_list->DeleteColumn(0)) {
    }
    db.SetupColumns(*g_list);
    db.FillList(*g_list);
    if (g_list->GetItemCount() != db.GetRecordCount())
        std::abort();
    for (int r = 0; r < db.GetRecordCount(); ++r) {
        if (!db.MoveTo(r) || db.GetPosition() != r)
            std::abort();
        (void)db.Details();
        float values[9];
        db.ReadNumbers(values);
    }
    if (db.MoveTo(db.GetRecordCount()) || db.MoveTo(-1))
        std::abort();
    db.Close();
    g_list->DeleteAllItems();
    return 0;
}
