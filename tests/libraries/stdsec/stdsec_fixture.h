// A project with steel materials, the browser run under the scripted user, and helpers
// that read what the dialog shows.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include <vyr/libraries/DlgStdSectionLib.h>
#include <vyr/model/material/material.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources.h>
#include <vyr/resources/dialogs/StdSectionRes.h>
#include <vyr/scripteduser.h>
#include <vyr/winfile.h>

namespace stdsec {

using vyr::ScriptedUser;

struct Project : ::testing::Test
{
    CGlobalData data;
    CStruct& st = *data.Struct();
    CMaterialBase* q235 = nullptr;
    CMaterialBase* q345 = nullptr;

    // The shipped databases unless a test switches to the fixture folder.
    void SetUp() override
    {
        vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
        VyrSetAppFolder(VYR_STDSEC_APP);
        ScriptedUser::Reset();
        q235 = AddSteel("Q235", "Q235B", 1);
        q345 = AddSteel("Q345", "Q345B", 1);
    }
    void TearDown() override
    {
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
        ScriptedUser::Reset();
        VyrSetAppFolder(VYR_STDSEC_APP);
    }
    void UseFixture() { VyrSetAppFolder(VYR_STDSEC_FIXTURE_APP); }

    CMaterialBase* AddSteel(const char* name, const char* text1, int type)
    {
        auto* m = new CMaterialBase;
        m->SetType(type);
        m->SetName(name);
        m->SetText1(text1);
        st.m_pMaterialSteelList->AddMaterial(m);
        return m;
    }
    int LibraryCount() const { return (int)st.m_pSectionList->GetCount(); }
};

inline CDlgStdSectionLib* Browser(CDialog* d) { return static_cast<CDlgStdSectionLib*>(d); }

inline CListCtrl* List(CDialog* d) { return static_cast<CListCtrl*>(d->GetDlgItem(IDC_STDSEC_LIST)); }

inline CTabCtrl* Tab(CDialog* d, int id) { return static_cast<CTabCtrl*>(d->GetDlgItem(id)); }

inline std::string TabText(CDialog* d, int id, int i)
{
    char buf[128] = {};
    TCITEM item{};
    item.mask = TCIF_TEXT;
    item.pszText = buf;
    item.cchTextMax = sizeof buf;
    Tab(d, id)->GetItem(i, &item);
    return buf;
}

inline std::string Text(CDialog* d, int id)
{
    CString t;
    d->GetDlgItemText(id, t);
    return t.GetString();
}

// The row showing a designation, or -1.
inline int RowOf(CDialog* d, const char* designation)
{
    CListCtrl* list = List(d);
    for (int i = 0; i < list->GetItemCount(); ++i)
        if (list->GetItemText(i, 0) == designation) return i;
    return -1;
}

// Chooses the row of a designation as a user does.
inline void ChooseRow(CDialog* d, const char* designation)
{
    const int row = RowOf(d, designation);
    ASSERT_GE(row, 0) << designation;
    List(d)->SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// Chooses a row by its designation, scripted.
inline void ScriptChoose(const char* designation)
{
    ScriptedUser::Run([designation](CDialog* d) { ChooseRow(d, designation); }, IDD_STDSECTIONLIB);
}

} // namespace stdsec
