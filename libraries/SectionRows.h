// The project section library as a filtered list: the rows, tabs, sorts and library
// operations that the section panel and the modal section library dialog share. Each owner
// keeps its own tab and list controls and one CSectionRows that works on them.
//
// Rows: row 0 "ERASE" stands for no section; every further row shows one section that
// passes the selected tab's filter, "R<number>" first. A row's section is the section that
// carries the row's number.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/grid/listctrlex.h>
#include <vyr/model/section/SectionList.h>

class CGlobalData;
class CSectionBase;
class CStay;

// The dialogs and files of the section libraries that the lists open. The libraries' area
// installs them when it is part of the program (always, in the library itself); while one is
// missing its button does nothing.
struct CSectionLibraryCalls
{
    void (*showProperty)(CSectionBase* pSec) = nullptr;
    void (*showAxialType)(CSectionBase* pSec) = nullptr;
    // The batten and lacing library for a combined section: true after OK, with the chosen
    // record (null: none).
    bool (*chooseStay)(CSectionBase* pSec, CGlobalData* pData, CStay*& pChosen) = nullptr;
    void (*exportFile)(CGlobalData* pData) = nullptr;
    // True when sections were read into the library; bReplaced when it was emptied first.
    bool (*importFile)(CGlobalData* pData, bool& bReplaced) = nullptr;
};
CSectionLibraryCalls& SectionLibraryCalls();

class CSectionRows
{
public:
    enum Order
    {
        OrderNumber,
        OrderType,
        OrderMaterial
    };

    // bPanel: the side panel, which tells the host about its changes; otherwise the modal
    // dialog, which does not.
    CSectionRows(CWnd& owner, CTabCtrl& tab, CListCtrlEx& list, bool bPanel);

    CGlobalData* m_pGlobalData = nullptr;
    // The section of the row last selected, drawn highlighted.
    CSectionBase* m_pCurSection = nullptr;
    CSecPointArray m_arrSort;
    // Set: the next click on the column sorts in reverse.
    bool m_bNumberOrder = false;
    bool m_bTypeOrder = false;
    bool m_bMaterialOrder = false;

    // The nine tabs and four columns; the buckling-class button by the program type.
    void InitControls();
    // Back to ascending number order.
    void Refill();
    void Fill(Order order);
    void OnColumnClick(int column);

    // The selected row, -1 when none.
    int SelectedRow() const;
    // The number of a row: 0 for row 0, -1 for no row or a number no section carries.
    int RowNumber(int row) const;
    // The section a row shows; null for row 0 and no row.
    CSectionBase* RowSection(int row) const;
    // The section of the selected row; null for row 0 and no row.
    CSectionBase* SelectedSection() const;
    // The row that shows the section, -1 when it is not listed.
    int FindRow(const CSectionBase* pSec) const;
    // Selects a row as the program does (the list notifies its owner).
    void SelectRow(int row);

    void OnSelectionChanged();
    void OnDoubleClick();
    void OnDelete();
    void OnEdit();
    void OnAxialType();
    void OnStay();
    void OnStandardLibrary();
    void OnDefineLibrary();
    void OnCombineLibrary();
    void OnTaperLibrary();
    void OnImport();
    void OnExport();

    // The line under the list for the current section.
    CString StayLine() const;
    // A section's material text in the fourth column: types 700 to 799 with their steel
    // part's text and "+", types 800 to 899 so with their component's only when bComponent.
    static CString MaterialText(CSectionBase* pSec, bool bComponent);
    // Whether a type code passes tab's filter (bounds exclusive); tab 0 asks the used mark.
    static bool PassesTab(int tab, const CSectionBase* pSec);
    // The first model object using the section, as the refusal of a delete names it; empty
    // when nothing uses it.
    static CString FindUser(CGlobalData* pData, const CSectionBase* pSec);

private:
    CSectionList* Library() const;
    // Position from 1 of the section in the library, 0 when it is not there.
    int PositionOf(const CSectionBase* pSec) const;
    void EnableButton(int id, bool enable);
    void ShowStayLine();
    void AfterLibraryEditor(int result, int tabOnSuccess, bool refillAlways);
    void AddRow(int row, CSectionBase* pSec, bool bComponent);

    CWnd& m_owner;
    CTabCtrl& m_tab;
    CListCtrlEx& m_list;
    bool m_bPanel;
    // Set while the program itself fills or selects rows that the owner should not take
    // as the user's choice.
    bool m_bQuiet = false;

public:
    // While set, the list's item-changed notifications are the program's own.
    bool IsQuiet() const { return m_bQuiet; }
    friend class CQuietRows;
};

// Keeps the owner from taking the program's own row changes as the user's.
class CQuietRows
{
public:
    explicit CQuietRows(CSectionRows& rows) : m_rows(rows), m_old(rows.m_bQuiet) { rows.m_bQuiet = true; }
    ~CQuietRows() { m_rows.m_bQuiet = m_old; }
    CQuietRows(const CQuietRows&) = delete;
    CQuietRows& operator=(const CQuietRows&) = delete;

private:
    CSectionRows& m_rows;
    bool m_old;
};
