// What the adjustment tests share: the dialogs' grids read as texts, a grid row clicked as a
// user does, a chapter written to a text file or an RTF file read back by unrtf.
#pragma once

#include <string>
#include <vector>

#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/output/output.h>
#include "storey/StoreyTest.h"

namespace adjusttest {

// The rows of a grid below its heading, each as its texts.
inline std::vector<std::vector<std::string>> GridRows(CDialog* d, int id)
{
    return storeytest::GridRows(dynamic_cast<CGridCtrl*>(d->GetDlgItem(id)));
}

// A click on a row of a grid of the open dialog.
inline void ClickGridRow(int id, int row, UINT idd)
{
    vyr::ScriptedUser::Run(
        [id, row](CDialog* d) {
            auto* g = dynamic_cast<CGridCtrl*>(d->GetDlgItem(id));
            ASSERT_NE(g, nullptr);
            CRect r;
            ASSERT_TRUE(g->GetCellRect(row, 0, &r));
            const CPoint p = r.CenterPoint();
            g->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
            g->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        },
        idd);
}

// A chapter written by a windowless object into a text file, as its lines.
template <class TDlg>
std::string TextChapter(TDlg& dlg, int flag, const outtest::TempDir& tmp)
{
    return outtest::JoinLines(outtest::WriteAndReadText(tmp.File("chapter.txt"), [&](COutput& out) { dlg.Output(&out, flag); }));
}

// A line of the reading, leading tabs (spaces once read back) left out.
inline bool HasLine(const outtest::RtfReading& r, const std::string& line)
{
    for (const auto& l : r.lines)
        if (outtest::Trim(l) == line)
            return true;
    return false;
}

// The table rows of an unrtf reading that start with a storey cell ("第…层").
inline std::vector<std::vector<std::string>> StoreyRows(const outtest::RtfReading& r)
{
    std::vector<std::vector<std::string>> rows;
    for (const auto& row : r.rows)
        if (!row.empty() && row[0].rfind("第", 0) == 0)
            rows.push_back(row);
    return rows;
}

} // namespace adjusttest
