#include <vyr/libraries/BanUse.h>

#include <vyr/model/struct/structure.h>

CString VyrBanUser(CStruct* st, const CBan* ban)
{
    CString text;
    for (POSITION fp = st->m_pFloorList->GetHeadPosition(); fp != nullptr;) {
        CFloor* floor = st->m_pFloorList->GetNextT(fp);
        for (POSITION rp = floor->m_pPlaneList->GetHeadPosition(); rp != nullptr;) {
            CPlane* room = floor->m_pPlaneList->GetNextT(rp);
            if (room->m_pBan != ban)
                continue;
            text.Format("选中的楼板正被%2d层%3d号房间使用，不得删除!", floor->GetNo(), room->GetNo());
            return text;
        }
    }
    return text;
}

bool VyrBanUnused(CStruct* st, const CBan* ban)
{
    const CString user = VyrBanUser(st, ban);
    if (user.IsEmpty())
        return true;
    AfxMessageBox(user);
    return false;
}

const char* VyrBanTensionText(int type)
{
    return type == -1 ? "组合" : type == 1 ? "钢板" : "配筋";
}
