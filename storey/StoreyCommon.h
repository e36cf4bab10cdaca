// What the storey statistics dialogs share: the storeys of a statistic walked from the top,
// the storey below a storey, tower membership, the load direction vote, stored limits, the
// limit colours and the tower grid.
#pragma once

#include <utility>
#include <vector>

#include <vyr/stdafx.h>

class CBasicLoadCase;
class CFloor;
class CFloorList;
class CGridCtrl;
class CLoadSeismList;
class CMainNode;
class CMainNodeList;
class CStruct;
class CWnd;

namespace storey {

// Colours of a value against its limit: grids mark a cell past an advisory limit ("不宜")
// magenta and past a mandatory one ("不应") red; chapters write such values in these colours
// and return to black after each.
inline constexpr COLORREF kAdvisoryColour = 0x00FF00FF;
inline constexpr COLORREF kMandatoryColour = 0x000000FF;
inline constexpr COLORREF kBlack = 0;

// A limit or setting read from the model: kept when greater than 1e-7 and less than 1e4,
// else the default.
float StoredOrDefault(float stored, float defaultValue);

// The real storeys from the top down, at most count of them (all for count < 0).
std::vector<CFloor*> RealStoreysFromTop(const CFloorList* list, int count = -1);

// The storey below the real storey at position i of fromTop (all real storeys from the top):
// the next real storey down; below the lowest real one its own lower storey, or else the
// first storey of the list.
CFloor* StoreyBelow(const CFloorList* list, const std::vector<CFloor*>& fromTop, size_t i);

// The storey stands in the tower: the tower main node's elevation minus the storey's is
// greater than -0.001. Every storey stands in the whole structure (no tower).
bool InTower(const CMainNode* tower, const CFloor* storey);

// The storeys of the list walk (from the top) whose X shear dominates and those whose Y shear
// does, each beyond 1e-5: the stored seismic storey shears for a seismic case, else the
// storeys' shears of the case. Each statistic applies its own tie rule to the counts.
std::pair<int, int> CountDominantShear(const std::vector<CFloor*>& storeys, CBasicLoadCase* lc,
                                       const CLoadSeismList* seism);

// The towers' main nodes of the structure, in their fixed order.
void RefreshTowers(CStruct* s, CMainNodeList& towers);

// The tower grid of a storey dialog: made as a read-only child with one fixed heading row
// "结构塔楼描述" whose rows can be selected; filled with one row per tower
// ("塔%d：%.3fm %.3fm", the main node's x and y in m). Fill answers the first tower's main
// node, selected, or null when there is none.
void CreateTowerGrid(CGridCtrl& grid, CWnd* parent, const RECT& rect, UINT id);
CMainNode* FillTowerGrid(CGridCtrl& grid, const CMainNodeList& towers);

// A read-only storey grid with one fixed heading row, made as a visible tab-stop child.
void CreateStoreyGrid(CGridCtrl& grid, CWnd* parent, const RECT& rect, UINT id);

// The tower of the row a tower grid's selection change names; null for the heading or a row
// past the towers.
CMainNode* SelectedTower(const NMHDR* pNMHDR, const CMainNodeList& towers);

// Appends a row of centred cells to a storey grid; answers its index.
int AddCentredRow(CGridCtrl& grid, const std::vector<CString>& cells);

// A text on its way to a number: nothing yet, a sign, a point or an exponent without digits.
bool IsHalfTyped(const CString& text);

// The edit of a limit changed: a half-typed number waits for more; else the dialog's fields
// are read back and validated (a refused field shows the framework's message). A value that
// moved by more than 0.001 from the one before is stored into the model's field and answers
// true; a smaller move leaves the dialog on the value before.
bool TakeEditedLimit(CWnd& dialog, int ctrlId, float& limit, float& stored);

} // namespace storey
