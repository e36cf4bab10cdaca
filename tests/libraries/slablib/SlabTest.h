// The slab dialogs' tests: a test host whose application folder holds the tests' sheet
// database, under the scripted user, and rooms that lay a slab type.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/TestHost.h"
#include <vyr/model/section/Ban.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources.h>
#include <vyr/scripteduser.h>
#include <vyr/winfile.h>

namespace slabtest {

struct SlabTest : ::testing::Test
{
    vyrtest::CTestHost host;
    CGlobalData& d = host.GlobalData();
    CStruct* st = d.Struct();
    std::string savedApp;

    void SetUp() override
    {
        vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
        savedApp = VyrGetAppFolder();
        VyrSetAppFolder(VYR_SHEET_APP);
        vyr::ScriptedUser::Reset();
    }
    void TearDown() override
    {
        EXPECT_EQ(vyr::ScriptedUser::PendingSteps(), 0u);
        vyr::ScriptedUser::Reset();
        VyrSetAppFolder(savedApp.c_str());
    }

    // Storeys 1 and 2 with rooms 4 and 5; room 5 of storey 2 lays the type.
    void LayInRoom5OfStorey2(CBan* type)
    {
        for (int storey : {1, 2}) {
            CFloor* f = new CFloor(storey, 4);
            st->m_pFloorList->AddTail(f);
            for (int no : {4, 5}) {
                CPlane* p = new CPlane;
                p->m_nNo = no;
                p->m_pFloor = f;
                p->m_pBan = storey == 2 && no == 5 ? type : nullptr;
                f->m_pPlaneList->AddTail(p);
                st->m_pPlaneList->AddTail(p);
            }
        }
    }
};

} // namespace slabtest
