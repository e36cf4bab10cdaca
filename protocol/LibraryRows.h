// A library of numbered definitions of the model (slab types, stud groups, materials,
// batten and lacing records, end releases, supports...) shown as rows of its owner's list
// control: the rows, add, edit, delete with the in-use refusal, preselection of the current
// definition and the definition chosen at OK. The owner keeps its own list control, tabs and
// add/edit dialogs and gives this class the library, the columns and the row text.
//
// Rows: a row 0 that stands for no definition when the owner gives its cells; then one row
// per definition in list order, so a row's definition is the one at its position.
#pragma once

#include <algorithm>
#include <functional>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/controls.h>
#include <vyr/msgbox.h>

// List: the model's numbered list (Get(position from 1), GetCount(), and Delete(position)
// unless the owner gives m_remove).
// Def: what it holds. Both need only be declared where a dialog holds the rows as a member.
template <class List, class Def>
class CLibraryRows
{
public:
    struct Column
    {
        CString heading;
        int width;
    };

    explicit CLibraryRows(CListCtrl& list) : m_list(list) {}
    CLibraryRows(const CLibraryRows&) = delete;
    CLibraryRows& operator=(const CLibraryRows&) = delete;

    // ---- given by the owner

    // The library the rows show; the owner's tab may change it. Null shows no definitions.
    std::function<List*()> m_library;
    // A definition's cells, first column first; position counts from 1.
    std::function<std::vector<CString>(Def* pDef, int position)> m_rowText;
    // The cells of row 0, which stands for no definition; empty: the rows start with the first
    // definition.
    std::vector<CString> m_noneRow;
    // Why a definition may not be deleted, as the message shown; empty when it may.
    std::function<CString(Def* pDef)> m_usedBy;
    // The Yes/No question asked before a delete (its users are about to lose it); empty asks
    // nothing.
    std::function<CString(Def* pDef)> m_deleteQuestion;
    // Lets go of the definition wherever the model and the owner hold it, just before it leaves.
    std::function<void(Def* pDef)> m_forget;
    // Takes the definition out of the library and frees it; the list's Delete(position) when
    // not given.
    std::function<void(List* pList, Def* pDef, int position)> m_remove;
    // What edit, delete and OK say when no definition row is selected. Empty: edit and delete
    // do nothing, OK chooses no definition.
    CString m_noEditRow;
    CString m_noDeleteRow;
    CString m_noChoice;
    // A confirmed edit selects the edited row again after the rows are filled.
    bool m_bReselectEdited = false;
    // Row 0 is selected when the rows are filled.
    bool m_bSelectNoneRow = false;
    // Filling selects again the row that was selected before, if it is still there, and
    // scrolls so that the row two below it shows.
    bool m_bKeepSelection = false;
    // The rows are filled again after the add and edit dialogs also when they were cancelled.
    bool m_bFillAfterCancel = false;
    // The small image of a definition's row; row 0 shows m_noneImage. Not given: no images.
    std::function<int(Def* pDef)> m_rowImage;
    int m_noneImage = 0;

    // ---- rows

    // Replaces every column.
    void SetColumns(const std::vector<Column>& columns)
    {
        while (m_list.DeleteColumn(0)) {
        }
        for (int c = 0; c < (int)columns.size(); ++c)
            m_list.InsertColumn(c, columns[c].heading, LVCFMT_LEFT, columns[c].width);
    }

    // Fills the rows again; no row stays selected unless the owner asked for row 0 or for
    // the selection to be kept.
    void Fill()
    {
        const int kept = m_bKeepSelection ? SelectedRow() : -1;
        m_list.DeleteAllItems();
        int row = 0;
        if (HasNoneRow())
            AddRow(row++, m_noneRow, m_noneImage);
        if (List* lib = Library())
            for (int position = 1; position <= (int)lib->GetCount(); ++position) {
                Def* def = lib->Get(position);
                AddRow(row++, m_rowText(def, position), m_rowImage ? m_rowImage(def) : -1);
            }
        if (m_bSelectNoneRow && HasNoneRow())
            SelectRow(0);
        if (kept >= 0 && kept < m_list.GetItemCount()) {
            SelectRow(kept);
            m_list.EnsureVisible(std::min(kept + 2, m_list.GetItemCount() - 1), FALSE);
        }
    }

    bool HasNoneRow() const { return !m_noneRow.empty(); }
    // The first selected row, row 0 included; -1 when none.
    int SelectedRow() const { return m_list.GetNextItem(-1, LVNI_SELECTED); }
    // The first selected row that shows a definition; -1 when none.
    int SelectedDefinitionRow() const { return m_list.GetNextItem(HasNoneRow() ? 0 : -1, LVNI_SELECTED); }
    // The definition a row shows; null for row 0 and outside the rows.
    Def* RowDefinition(int row) const
    {
        List* lib = Library();
        const int position = Position(row);
        return lib != nullptr && position >= 1 ? lib->Get(position) : nullptr;
    }
    Def* SelectedDefinition() const { return RowDefinition(SelectedDefinitionRow()); }
    // The row that shows the definition: row 0 for none when there is one, -1 when not listed.
    int RowOf(const Def* pDef) const
    {
        if (pDef == nullptr)
            return HasNoneRow() ? 0 : -1;
        List* lib = Library();
        if (lib != nullptr)
            for (int position = 1; position <= (int)lib->GetCount(); ++position)
                if (lib->Get(position) == pDef)
                    return position - 1 + FirstDefinitionRow();
        return -1;
    }
    // Makes the row the only one selected and focused, and scrolls to it; -1 selects nothing.
    void SelectRow(int row)
    {
        m_list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (row < 0)
            return;
        m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_list.EnsureVisible(row, FALSE);
    }
    // Selects the row of the owner's current definition (row 0 for none, when there is one).
    void Preselect(const Def* pCurrent) { SelectRow(RowOf(pCurrent)); }

    // ---- operations

    // Runs the owner's add dialog; fills the rows again when it answers true (or always,
    // with m_bFillAfterCancel).
    template <class Run>
    void Add(Run run)
    {
        if (run() || m_bFillAfterCancel)
            Fill();
    }

    // Runs the owner's edit dialog on the selected definition; fills the rows again when it
    // answers true (or always, with m_bFillAfterCancel).
    template <class Run>
    void Edit(Run run)
    {
        const int row = SelectedDefinitionRow();
        Def* def = RowDefinition(row);
        if (def == nullptr) {
            Say(m_noEditRow);
            return;
        }
        if (!run(def)) {
            if (m_bFillAfterCancel)
                Fill();
            return;
        }
        Fill();
        if (m_bReselectEdited)
            SelectRow(row);
    }

    // Deletes the selected definition unless it is in use or the user answers No; true when
    // it went.
    bool Delete()
    {
        const int row = SelectedDefinitionRow();
        Def* def = RowDefinition(row);
        if (def == nullptr) {
            Say(m_noDeleteRow);
            return false;
        }
        if (m_usedBy) {
            const CString why = m_usedBy(def);
            if (!why.IsEmpty()) {
                AfxMessageBox(why);
                return false;
            }
        }
        if (m_deleteQuestion) {
            const CString question = m_deleteQuestion(def);
            if (!question.IsEmpty() && AfxMessageBox(question, MB_YESNO) != IDYES)
                return false;
        }
        if (m_forget)
            m_forget(def);
        Remove(Library(), def, Position(row));
        Fill();
        return true;
    }

    // The definition chosen at OK: that of the selected row, null for row 0. False, after
    // m_noChoice, when no row at all is selected and the dialog is to stay open.
    bool Choose(Def*& pChosen) const
    {
        Def* def = SelectedDefinition();
        if (def == nullptr && SelectedRow() < 0 && !m_noChoice.IsEmpty()) {
            AfxMessageBox(m_noChoice);
            return false;
        }
        pChosen = def;
        return true;
    }

private:
    List* Library() const { return m_library ? m_library() : nullptr; }
    int FirstDefinitionRow() const { return HasNoneRow() ? 1 : 0; }
    // The position in the library (from 1) of a row's definition; 0 for row 0 and no row.
    int Position(int row) const { return row < FirstDefinitionRow() ? 0 : row - FirstDefinitionRow() + 1; }
    void Remove(List* pList, Def* pDef, int position)
    {
        if constexpr (requires(List& l) { l.Delete(position); }) {
            if (!m_remove) {
                pList->Delete(position);
                return;
            }
        }
        // A list without Delete(position) needs the owner's m_remove.
        m_remove(pList, pDef, position);
    }
    void AddRow(int row, const std::vector<CString>& cells, int image)
    {
        const CString first = cells.empty() ? CString() : cells[0];
        const int at = m_rowImage ? m_list.InsertItem(row, first, image) : m_list.InsertItem(row, first);
        for (int c = 1; c < (int)cells.size(); ++c)
            m_list.SetItemText(at, c, cells[c]);
    }
    static void Say(const CString& message)
    {
        if (!message.IsEmpty())
            AfxMessageBox(message);
    }

    CListCtrl& m_list;
};
