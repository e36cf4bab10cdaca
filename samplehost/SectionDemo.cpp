// The standard section databases and the browser, as a host uses them:
//  - each national database opened with its password, the row count of every table of
//    the catalogue (filled or empty) written to section-databases.txt;
//  - an L50x5 angle picked in browse mode by a scripted user, then one row of every
//    filled table built in edit mode on a section of its code; their codes, texts and
//    properties written to sections-built.txt.
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include <vyr/stdafx.h>
#include <vyr/libraries/DlgStdSectionLib.h>
#include <vyr/model/material/material.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/StdSectionRes.h>
#include <vyr/scripteduser.h>

#include "DemoSupport.h"
#include "demos.h"

using vyr::ScriptedUser;
namespace sec = vyr::sections;

namespace {

void WriteSection(std::ofstream& out, CSectionBase* s)
{
    char line[512];
    std::snprintf(line, sizeof line,
                  "%d  %s | %s | %s | %s | %s\n     A=%.3f I3=%.3f W3=%.3f i3=%.3f I2=%.3f W2=%.3f i2=%.3f imin=%.3f "
                  "H=%.1fmm B=%.1fmm\n",
                  s->GetType(), s->m_strDim.GetString(), s->m_strFull.GetString(), s->m_strKind.GetString(),
                  s->m_strCategory.GetString(), s->m_strMat.GetString(), s->GetA1(), s->GetI33(), s->GetWx(),
                  s->Getix(), s->GetI22(), s->GetWy(), s->Getiy(), (double)s->m_dimin, s->GetH() * 10.0,
                  s->GetB() * 10.0);
    out << line;
}

// Row counts of every catalogue table, country by country.
int WriteDatabases(const std::string& path, int counts[])
{
    std::ofstream out(path);
    int failures = 0;
    for (int country = 0; country < 4; ++country) {
        CDlgStdSectionLib reader;
        reader.m_bBrowse = false;
        reader.m_nEditCountry = country;
        const bool open = reader.OpenDatabase();
        out << sec::kCountryCaptions[country] << "  " << reader.m_strDatabasePath.GetString() << "  "
            << (open ? "opened with its password" : "NOT OPENED") << "\n";
        if (!open) {
            ++failures;
            continue;
        }
        for (int i = 0; i < sec::kCatalogSize; ++i) {
            const sec::CatalogRow& r = sec::kCatalog[i];
            if (r.country != country) continue;
            reader.m_strQuery.Empty();
            switch (country) {
            case 0: reader.SelectTableChina(r.family, sec::TabSubType(r)); break;
            case 1: reader.SelectTableUS(r.family, sec::TabSubType(r)); break;
            case 2: reader.SelectTableUK(r.family, sec::TabSubType(r)); break;
            default: reader.SelectTableJapan(r.family, sec::TabSubType(r)); break;
            }
            if (!reader.OpenTable()) {
                ++failures;
                continue;
            }
            counts[i] = reader.m_nRecordCount;
            char line[256];
            std::snprintf(line, sizeof line, "  %d  %-30s %4d rows  %s\n", r.code, r.table, reader.m_nRecordCount,
                          reader.m_nRecordCount > 0 ? "filled" : "empty");
            out << line;
        }
    }
    return failures;
}

} // namespace

int RunSectionDemo(const std::string& outDir)
{
    int failures = 0;
    const CDemoUser user(failures);

    int counts[sec::kCatalogSize] = {};
    failures += WriteDatabases(outDir + "/section-databases.txt", counts);

    CGlobalData model;
    CStruct* st = model.Struct();
    auto* q235 = new CMaterialBase;
    q235->SetType(1);
    q235->SetName("Q235");
    q235->SetText1("Q235B");
    st->m_pMaterialSteelList->AddMaterial(q235);

    std::ofstream out(outDir + "/sections-built.txt");
    out << "Picked in browse mode:\n";
    ScriptStdSectionPick("L50x5");
    {
        CDlgStdSectionLib browser;
        browser.m_pData = &model;
        std::unique_ptr<CSectionBase> angle;
        if (browser.DoModal(true, nullptr) == IDOK && browser.m_pResult != nullptr) {
            angle.reset(browser.m_pResult);
            WriteSection(out, angle.get());
        } else {
            out << "  nothing picked\n";
            ++failures;
        }
    }

    out << "\nThe first row of every filled table, built in edit mode:\n";
    int built = 0;
    for (int i = 0; i < sec::kCatalogSize; ++i) {
        if (counts[i] <= 0) continue;
        const int code = sec::kCatalog[i].code;
        std::unique_ptr<CSectionBase> s(CSectionBase::CreateSec(code));
        if (s == nullptr) {
            ++failures;
            continue;
        }
        s->SetType(code);
        ScriptedUser::Run(
            [](CDialog* d) {
                static_cast<CListCtrl*>(d->GetDlgItem(IDC_STDSEC_LIST))->SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
            },
            IDD_STDSECTIONLIB);
        ScriptedUser::PressOK(IDD_STDSECTIONLIB);
        CDlgStdSectionLib browser;
        browser.m_pData = &model;
        if (browser.DoModal(false, s.get()) != IDOK) {
            out << code << "  NOT BUILT\n";
            ++failures;
            continue;
        }
        WriteSection(out, s.get());
        ++built;
    }
    out << "\n" << built << " tables built\n";
    std::printf("section databases: %d tables built from the rows, written to section-databases.txt and "
                "sections-built.txt\n",
                built);
    ScriptedUser::Reset();
    return failures;
}
