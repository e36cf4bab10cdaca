// The storey panel ("View.Floor"): the structure's storeys and elevation planes as a
// two-level tree in a grid, one row per floor with its description, elevation and
// settings. Choosing a row selects that floor's members and walls while the host shows
// the model in display mode 1, 2 or 4; the button or a double click asks the host to show
// the floor. The host can mark floors in the list (SelectFloors).
#pragma once

#include <vyr/stdafx.h>
#include <vyr/controls.h>
#include <vyr/host/MenuViewBase.h>
#include <vyr/model/grid/gridctrl.h>

class CFloor;
class CFloorList;

class CViewFloor : public CMenuViewBase
{
    DECLARE_DYNCREATE(CViewFloor)
public:
    CViewFloor();
    ~CViewFloor() override = default;

    CString GetType() const override { return "View.Floor"; }
    void Update() override { FillItem(); }
    void Resize() override;
    void OnInitialUpdate() override;

    void FillColumn();
    void FillItem();
    // Writes the texts of columns 1 to 7 of a row and keeps the floor as its item data.
    void SetFloorItem(int row, CFloor* pFloor);
    // Column 0's tree image, and the background of the whole row that goes with it.
    void SetFloorItemImage(int image, int row);
    // Marks the rows of the floors in the list and unmarks the others.
    void SelectFloors(CFloorList& floors);

    // The number of decimals of an elevation shown with the unit factor.
    static int ElevationDecimals(float unitLength);

    CGridCtrl& Grid() { return m_grid; }
    CImageList& ImageList() { return m_imageList; }

    // While true, choosing a row selects the floor's objects. The host may switch it off.
    bool m_bSelectFloor = true;

    afx_msg void OnDisplay();

protected:
    afx_msg void OnItemchangedFloorList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDblClickFloorList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()

    CGridCtrl m_grid;
    CImageList m_imageList;
};
