#include "DemoSupport.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <vyr/model/struct/structure.h>
#include <vyr/operators/OPManager.h>
#include <vyr/raster.h>
#include <vyr/drawing/DlgDrawResult.h>
#include <vyr/protocol/PropKeyRegistry.h>
#include <vyr/resources/dialogs/DrawResultRes.h>
#include <vyr/resources/dialogs/ReportRes.h>
#include <vyr/resources/dialogs/StdSectionRes.h>
#include <vyr/resources/dialogs/StoreyRes.h>
#include <vyr/scripteduser.h>
#include <vyr/wnd.h>
#include "hostkit/HostKit.h"

using vyr::ScriptedUser;

CDemoUser::CDemoUser(int& failures)
{
    ScriptedUser::Reset();
    ScriptedUser::SetFailureHandler([&failures](const std::string& what) {
        std::printf("scripted user: %s\n", what.c_str());
        ++failures;
    });
}

CDemoUser::~CDemoUser() { ScriptedUser::SetFailureHandler(nullptr); }

void BuildDesignSample(CGlobalData& data)
{
    BuildSampleModel(data);
    FillSampleResults(data);
    data.ProgramType() = 1;
}

void Drag(COPManager& manager, CPoint a, CPoint b)
{
    manager.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, a, 0);
    manager.MouseAction(OPMOUSE_LUP, 0, a, 0);
    manager.MouseAction(OPMOUSE_MOVE, 0, b, 0);
    manager.MouseAction(OPMOUSE_LDOWN, MK_LBUTTON, b, 0);
    manager.MouseAction(OPMOUSE_LUP, 0, b, 0);
}

void SelectLeftHalfByWindow(vyrhost::CHostKit& host)
{
    CGlobalData& model = host.GlobalData();
    COPManager& manager = host.OPManager();
    manager.SetOP(CString("OP.SelectBeam"));
    const CRect2D ext = model.GetBeamScreenRect(*model.Struct()->m_pBeamList);
    const CPoint a((int)std::floor(ext.left) - 20, (int)std::floor(ext.top) - 20);
    const CPoint b((int)std::lround((ext.left + ext.right) / 2.0), (int)std::ceil(ext.bottom) + 20);
    Drag(manager, a, b);
}

void ScriptStdSectionPick(const char* designation)
{
    const CString name(designation);
    ScriptedUser::Run(
        [name](CDialog* d) {
            CListCtrl* list = static_cast<CListCtrl*>(d->GetDlgItem(IDC_STDSEC_LIST));
            for (int i = 0; i < list->GetItemCount(); ++i)
                if (list->GetItemText(i, 0) == name) list->SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
        },
        IDD_STDSECTIONLIB);
    ScriptedUser::PressOK(IDD_STDSECTIONLIB);
}

namespace {

// Draws the records over the frame's place in the dialog's picture.
bool DrawOverFrame(vyr::Image& img, CWnd* dlg, int frameId, const std::vector<vyr::DrawRecord>& records)
{
    CWnd* frame = dlg->GetDlgItem(frameId);
    if (frame == nullptr)
        return false;
    CRect window;
    dlg->GetWindowRect(&window);
    POINT origin{0, 0};
    frame->ClientToScreen(&origin);
    origin.x -= window.left;
    origin.y -= window.top;
    for (const vyr::DrawRecord& rec : records)
        vyr::RenderRecord(rec, img, origin);
    return true;
}

// What draw draws into a context of the frame's client size; nothing without the frame.
std::vector<vyr::DrawRecord> RecordForFrame(CWnd* dlg, int frameId, const std::function<void(CDC*, const CRect&)>& draw)
{
    CWnd* frame = dlg->GetDlgItem(frameId);
    if (frame == nullptr)
        return {};
    CRect client;
    frame->GetClientRect(&client);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    CBitmap* old = dc.SelectObject(&bmp);
    draw(&dc, client);
    std::vector<vyr::DrawRecord> records = dc.Records();
    dc.SelectObject(old);
    return records;
}

} // namespace

std::shared_ptr<vyr::Image> RenderOverFrame(CWnd* dlg, int frameId, const std::vector<vyr::DrawRecord>& records)
{
    std::shared_ptr<vyr::Image> img = vyr::RenderWindow(dlg->GetSafeHwnd());
    if (!img || !DrawOverFrame(*img, dlg, frameId, records))
        return nullptr;
    return img;
}

std::shared_ptr<vyr::Image> RenderOverFrame(CWnd* dlg, int frameId, const std::function<void(CDC*, const CRect&)>& draw)
{
    return RenderOverFrames(dlg, {{frameId, draw}});
}

std::shared_ptr<vyr::Image> RenderOverFrames(CWnd* dlg, const std::vector<std::pair<int, std::function<void(CDC*, const CRect&)>>>& frames)
{
    for (const auto& f : frames)
        if (dlg->GetDlgItem(f.first) == nullptr)
            return nullptr;
    std::shared_ptr<vyr::Image> img = vyr::RenderWindow(dlg->GetSafeHwnd());
    if (!img)
        return nullptr;
    for (const auto& f : frames)
        DrawOverFrame(*img, dlg, f.first, RecordForFrame(dlg, f.first, f.second));
    return img;
}

bool ReportSaved(const std::string& path, const char* what)
{
    const bool ok = std::filesystem::exists(path) && std::filesystem::file_size(path) > 0;
    std::printf("%s %s: %s\n", what, ok ? "written" : "FAILED", path.c_str());
    return ok;
}

void ScriptRenderPng(UINT templateId, const std::string& png, bool& rendered)
{
    rendered = false;
    vyr::ScriptedUser::Run(
        [&rendered, png](CDialog* d) {
            auto img = vyr::RenderWindow(d->GetSafeHwnd());
            rendered = img && vyr::WritePng(png, *img);
        },
        templateId);
}

void ScriptViewerRtf(const std::string& rtf, UINT opener, int button)
{
    std::filesystem::remove(rtf);
    if (opener)
        vyr::ScriptedUser::Click(button, opener);
    vyr::ScriptedUser::Click(IDC_DOC_RTF, IDD_OUTPUTDOCUMENT);
    vyr::ScriptedUser::AnswerFileDialog(rtf.c_str());
    vyr::ScriptedUser::PressOK(IDD_OUTPUTDOCUMENT);
}

bool PictureWritten(const std::string& path, const char* what, bool rendered)
{
    std::printf("%s %s: %s\n", what, rendered ? "written" : "FAILED", path.c_str());
    return rendered;
}

bool SaveReportThroughKey(const char* key, UINT idd, void* objects, CGlobalData& data, const std::string& path)
{
    vyr::ScriptedUser::Click(IDC_REPORT_RTF, idd);
    vyr::ScriptedUser::AnswerFileDialog(path.c_str());
    vyr::ScriptedUser::Click(IDOK, idd);
    vyrkeys::Run(key, objects, &data);
    return ReportSaved(path, key);
}

void ScriptExportAndWait(int& count)
{
    using vyr::ScriptedUser;
    ScriptedUser::Run([&count](CDialog* d) { count = static_cast<CDlgDrawResult*>(d)->GetOutputNum(); });
    ScriptedUser::Click(IDC_DRAW_EXPORT);
    ScriptedUser::AnswerMessageBox(IDOK, "导出完毕");
    ScriptedUser::WaitUntil([](CDialog* d) { return !static_cast<CDlgDrawResult*>(d)->IsBusy(); });
    ScriptedUser::PressCancel();
}

std::filesystem::path FreshProject(const std::filesystem::path& out, const char* name)
{
    const std::filesystem::path project = out / name;
    std::error_code ec;
    std::filesystem::remove_all(project, ec);
    std::filesystem::create_directories(project);
    return project;
}

std::array<int, 3> ReadBackDxf(const std::vector<std::filesystem::path>& files, const std::filesystem::path& scratch,
                               const char* count)
{
    {
        std::ofstream f(scratch);
        for (const std::filesystem::path& p : files)
            f << p.string() << "\n";
    }
    const std::string read = ExportDemoRun(std::string("/usr/bin/python3 -c 'import sys, ezdxf\n"
                                                       "n = e = c = 0\n"
                                                       "for p in open(sys.argv[1], encoding=\"utf-8\").read().splitlines():\n"
                                                       "    d = ezdxf.readfile(p); n += 1; e += len(d.audit().errors); c += ") +
                                           count + "\nprint(n, e, c)' '" + scratch.string() + "'");
    std::error_code ec;
    std::filesystem::remove(scratch, ec);
    std::array<int, 3> a{-1, -1, -1};
    std::sscanf(read.c_str(), "%d %d %d", &a[0], &a[1], &a[2]);
    return a;
}

bool RenderDxf(const std::filesystem::path& dxf, const std::filesystem::path& png)
{
    std::error_code ec;
    std::filesystem::remove(png, ec);
    if (std::filesystem::exists(dxf))
        ExportDemoRun("/usr/bin/python3 -m ezdxf draw -o '" + png.string() + "' '" + dxf.string() + "'");
    const bool written = std::filesystem::exists(png);
    std::printf("%s %s\n", png.filename().string().c_str(), written ? "written" : "not rendered");
    return written;
}
