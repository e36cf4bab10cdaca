// Reinforcement of two-way slabs: the boundary condition and four bar groups (positive and
// negative moment in X and in Y), chosen together so that the weaker direction reuses the
// bars of the governing one. The caller reads back the four groups, the grade and the cover;
// the dialog itself writes the boundary condition and the cover into the rooms.
#pragma once

#include <vyr/input/DlgBanDesignBase.h>

class CDlgBanDesignTwoWay : public CDlgBanDesignBase
{
public:
    explicit CDlgBanDesignTwoWay(CWnd* pParent = nullptr);

    int m_nXPosDiameter = 8, m_nXPosSpace = 150; // mm, controls 1362, 1364
    int m_nXNegDiameter = 8, m_nXNegSpace = 150; // mm, controls 1363, 1365
    int m_nYPosDiameter = 8, m_nYPosSpace = 150; // mm, controls 1220, 1232
    int m_nYNegDiameter = 8, m_nYNegSpace = 150; // mm, controls 1167, 1222
    // Provided and required areas (mm2/m) in the order X positive, X negative, Y positive,
    // Y negative.
    float m_fArea[4] = {8.0f, 8.0f, 8.0f, 8.0f};
    float m_fNeed[4] = {8.0f, 8.0f, 8.0f, 8.0f};
    int m_nCondition = 0; // boundary condition index, combo 1549

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnAutoDesign();
    void OnConditionalDesign(int group);
    void OnConditionalDesignXPositive() { OnConditionalDesign(0); }
    void OnConditionalDesignXNegative() { OnConditionalDesign(1); }
    void OnConditionalDesignYPositive() { OnConditionalDesign(2); }
    void OnConditionalDesignYNegative() { OnConditionalDesign(3); }
    void OnFreeChoice();

    DECLARE_MESSAGE_MAP()

private:
    int* Diameter(int group);
    int* Space(int group);
    // Sets every room's boundary condition and cover; for each of the four moments the room
    // of the largest absolute value (a later room replaces on an equal value).
    void DesignRooms(CPlane* rooms[4]);
};
