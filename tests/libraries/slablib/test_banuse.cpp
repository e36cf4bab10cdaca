// A slab type that a room lays cannot leave its library; the refusal names the room.
#include <gtest/gtest.h>

#include <vyr/libraries/BanUse.h>
#include <vyr/model/section/Ban.h>
#include <vyr/model/struct/structure.h>
#include <vyr/scripteduser.h>

using vyr::ScriptedUser;

TEST(BanUse, TheFirstRoomStoreyByStoreyIsNamed)
{
    ScriptedUser::Reset();
    CGlobalData d;
    CStruct* st = d.Struct();
    CBanConcrete* used = new CBanConcrete;
    CBanConcrete* free = new CBanConcrete;
    st->m_pBanConcreteList->Add(used);
    st->m_pBanConcreteList->Add(free);
    for (int storey : {1, 2, 3}) {
        CFloor* f = new CFloor(storey, 4);
        st->m_pFloorList->AddTail(f);
        for (int no = 4; no <= 6; ++no) {
            CPlane* p = new CPlane;
            p->m_nNo = no;
            p->m_pFloor = f;
            // Storey 2, room 5 is the first to lay the type; storey 3 lays it too.
            p->m_pBan = (storey == 2 && no >= 5) || storey == 3 ? used : nullptr;
            f->m_pPlaneList->AddTail(p);
            st->m_pPlaneList->AddTail(p);
        }
    }
    ScriptedUser::AnswerMessageBox(IDOK);
    EXPECT_FALSE(VyrBanUnused(st, used));
    ASSERT_EQ(ScriptedUser::MessageBoxes().size(), 1u);
    EXPECT_EQ(ScriptedUser::MessageBoxes()[0].text, CString("选中的楼板正被 2层  5号房间使用，不得删除!"));

    EXPECT_TRUE(VyrBanUnused(st, free));
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 1u) << "an unused type passes silently";
    EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
    ScriptedUser::Reset();
}
