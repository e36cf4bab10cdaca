// The frame of the shear capacity and eccentricity tests: the storey test frame with readers
// of a storey grid (texts and cell colours), a click on a tower row, and a chapter read back
// by unrtf with the colour of every table cell.
#pragma once

#include <string>
#include <vector>

#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/output/output.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include "storey/StoreyTest.h"

namespace storeytest {

// A table cell of a chapter as unrtf reads it: its text and its font colour ("" for none
// or black, else "#rrggbb").
struct CRtfCell
{
    std::string text;
    std::string colour;
};

// The table rows of a saved chapter, each cell with its colour.
inline std::vector<std::vector<CRtfCell>> ColouredRowsOfRtf(const std::string& path)
{
    std::vector<std::vector<CRtfCell>> rows;
    const std::string html = outtest::RunCommand("unrtf --html '" + path + "' 2>/dev/null");
    std::vector<CRtfCell> row;
    CRtfCell cell;
    bool inCell = false;
    for (size_t i = 0; i < html.size(); ++i) {
        if (html[i] == '<') {
            const size_t end = html.find('>', i);
            if (end == std::string::npos)
                break;
            const std::string tag = html.substr(i + 1, end - i - 1);
            i = end;
            if (tag == "td") {
                inCell = true;
                cell = CRtfCell();
            } else if (tag == "/td") {
                inCell = false;
                cell.text = outtest::DecodeEntities(outtest::Trim(cell.text));
                row.push_back(cell);
            } else if (tag == "/tr") {
                rows.push_back(row);
                row.clear();
            } else if (inCell && tag.rfind("font", 0) == 0) {
                const size_t at = tag.find("color=\"");
                if (at != std::string::npos) {
                    const std::string c = tag.substr(at + 7, 7);
                    cell.colour = c == "#000000" ? "" : c;
                }
            }
            continue;
        }
        if (inCell && html[i] != '\n')
            cell.text += html[i];
    }
    return rows;
}

class StoreyGridTest : public StoreyTest
{
protected:
    static CGridCtrl* Grid(CDialog* d, int id) { return dynamic_cast<CGridCtrl*>(d->GetDlgItem(id)); }
    // The grid's rows below its heading, each as its texts.
    static std::vector<std::vector<std::string>> Rows(CDialog* d, int id)
    {
        return storeytest::GridRows(Grid(d, id));
    }
    // The colour of one column in every row below the heading.
    static std::vector<COLORREF> Colours(CDialog* d, int id, int column)
    {
        std::vector<COLORREF> out;
        CGridCtrl* g = Grid(d, id);
        for (int r = 1; r < g->GetRowCount(); ++r)
            out.push_back(g->GetItemBkColour(r, column));
        return out;
    }
    static void ClickRow(int gridId, int row, UINT dialogId)
    {
        vyr::ScriptedUser::Run(
            [=](CDialog* d) {
                CGridCtrl* g = Grid(d, gridId);
                CRect r;
                ASSERT_TRUE(g->GetCellRect(row, 0, &r));
                const CPoint p = r.CenterPoint();
                g->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
                g->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
            },
            dialogId);
    }
    // The steps that open the viewer from the dialog's report button, save its chapter as RTF
    // and close it.
    static void ScriptViewerSave(int buttonId, UINT dialogId, const std::string& path)
    {
        vyr::ScriptedUser::Click(buttonId, dialogId);
        vyr::ScriptedUser::Click(IDC_DOC_RTF, IDD_OUTPUTDOCUMENT);
        vyr::ScriptedUser::AnswerFileDialog(path.c_str());
        vyr::ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
    }
    // A chapter written by the object into a plain-text file, as lines.
    template <class TDlg>
    std::string TextChapter(TDlg& dlg, int flag)
    {
        return outtest::JoinLines(outtest::WriteAndReadText(m_tmp.File("chapter.txt"), [&](COutput& out) { dlg.Output(&out, flag); }));
    }
    template <class TDlg>
    std::string RtfChapter(TDlg& dlg, int flag, const std::string& name)
    {
        const std::string path = m_tmp.File(name);
        COutput out;
        EXPECT_TRUE(out.InitDevice(DEVICE_RTF, path.c_str(), 1));
        dlg.Output(&out, flag);
        out.Close();
        return path;
    }

    outtest::TempDir m_tmp;
};

} // namespace storeytest
