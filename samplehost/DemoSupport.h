// What several demos do alike as a user of the library.
#pragma once

#include <array>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/gdi.h>
#include <vyr/raster.h>

class COPManager;
class CGlobalData;
namespace vyrhost {
class CHostKit;
}

// The scripted user started afresh for a demo: each step it cannot take is printed and
// counted in failures. The handler is dropped when the demo's scope ends, on an early
// return too, so it never outlives the counter it writes to.
class CDemoUser
{
public:
    explicit CDemoUser(int& failures);
    ~CDemoUser();
    CDemoUser(const CDemoUser&) = delete;
    CDemoUser& operator=(const CDemoUser&) = delete;
};

// A click, a move and a second click, as the view hands them to its manager.
void Drag(COPManager& manager, CPoint a, CPoint b);
// The member-selection operator made current and a window dragged over the left half of the
// plan, its corners just outside the members' extent.
void SelectLeftHalfByWindow(vyrhost::CHostKit& host);

// The sample model with its design answers prepared, in the design program where the
// result reports are keys.
void BuildDesignSample(CGlobalData& data);

// The standard section browser's next steps: the row of that designation selected, then OK.
void ScriptStdSectionPick(const char* designation);

// The dialog as the user sees it, with a drawing its frame control covers put back over the
// frame's place: the frame paints its own face after the dialog has drawn into it. The
// drawing is given as records, or drawn by draw into a context of the frame's size.
std::shared_ptr<vyr::Image> RenderOverFrame(CWnd* dlg, int frameId, const std::vector<vyr::DrawRecord>& records);
std::shared_ptr<vyr::Image> RenderOverFrame(CWnd* dlg, int frameId, const std::function<void(CDC*, const CRect&)>& draw);
// The same for several frames at once, each with its own drawing.
std::shared_ptr<vyr::Image> RenderOverFrames(CWnd* dlg, const std::vector<std::pair<int, std::function<void(CDC*, const CRect&)>>>& frames);

// What a command prints, stderr dropped, trailing line ends removed.
std::string ExportDemoRun(const std::string& command);
// The files below a folder, sorted.
std::vector<std::filesystem::path> ExportDemoFiles(const std::filesystem::path& dir);
// True when the file exists and is not empty; says so, with what it is, on the console.
bool ReportSaved(const std::string& path, const char* what);
// Opens a report dialog through its property key on the objects, lets the steps queued
// before act, saves it as RTF at the path and closes it; true when the file was written.
bool SaveReportThroughKey(const char* key, UINT idd, void* objects, CGlobalData& data, const std::string& path);
// The DXF files read back by ezdxf in one process: how many it read, their audit errors,
// and the sum of a Python count per drawing `d` (for example "len(d.modelspace())"). The
// file list goes through a scratch file beside them; -1s when ezdxf did not answer.
std::array<int, 3> ReadBackDxf(const std::vector<std::filesystem::path>& files, const std::filesystem::path& scratch,
                               const char* count);
// A drawing rendered by ezdxf's drawing command into a PNG file (an older one removed
// first); says so on the console and answers whether it was written.
bool RenderDxf(const std::filesystem::path& dxf, const std::filesystem::path& png);
// An empty project folder of that name below the output folder.
std::filesystem::path FreshProject(const std::filesystem::path& out, const char* name);
// The next steps in an open export dialog: its file count read into count, the export run
// to its end (its message answered) and the dialog closed.
void ScriptExportAndWait(int& count);
// The next step renders the open dialog of that template into a PNG file; rendered says
// whether the file was written.
void ScriptRenderPng(UINT templateId, const std::string& png, bool& rendered);
// The steps that save the report viewer's chapter as RTF at path and close the viewer; with
// an opener, its button that opens the viewer is clicked first.
void ScriptViewerRtf(const std::string& rtf, UINT opener = 0, int button = 0);
// Prints a rendered picture's line as ReportSaved does; rendered comes back.
bool PictureWritten(const std::string& path, const char* what, bool rendered);
