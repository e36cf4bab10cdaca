#include <vyr/libraries/BanUse.h>

#include <vyr/model/struct/structure.h>

bool VyrBanUnused(CStruct* st, const CBan* ban)
{
    for (POSITION fp = st->m_pFloorList->GetHeadPosition(); fp != nullptr;) {
        CFloor* floor = st->m_pFloorList->GetNextT(fp);
        for (POSITION rp = floor->m_pPlaneList->GetHeadPosition(); rp != nullptr;) {
            CPlane* room = floor->m_pPlaneList->GetNextT(rp);
            if (room->m_pBan != ban)
                continue;
            CString text;
            text.Format("选中的楼板正被%2d层%3d号房间使用，不得删除!", floor->GetNo(), room->GetNo());
            AfxMessageBox(text);
            return false;
        }
    }
    return true;
}

const char* VyrBanTensionText(int type)
{
    return type == -1 ? "组合" : type == 1 ? "钢板" : "配筋";
}
