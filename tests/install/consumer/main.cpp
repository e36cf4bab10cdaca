// A host built against the installed library: it reads the string table, finds the snap
// dialogs' templates and opens one as a user would, all from the installed resources.
// With --missing it runs where the resources were taken away and finds nothing.

// The library's headers first; none of them may take the host's files of the same names.
#include <vyr/stdafx.h>
#include <vyr/file.h>
#include <vyr/view.h>
#include <vyr/resources.h>
#include <vyr/scripteduser.h>
#include <vyr/vyrui.h>
#include <vyr/host/VyrEntry.h>
#include <vyr/operators/DlgSnapOffset.h>
#include <vyr/operators/DlgSnapSetting.h>
#include <vyr/resources/dialogs/SnapRes.h>
#include <vyr/resources/resource.h>

#define CONSUMER_OWN_HEADERS
#include "stdafx.h"
#include "file.h"
#include "view.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

int g_failures = 0;

void Expect(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "FAILED: %s\n", what);
        ++g_failures;
    }
}

} // namespace

int main(int argc, char** argv)
{
    const bool missing = argc > 1 && std::strcmp(argv[1], "--missing") == 0;
    Expect(std::strcmp(VyrUIVersion(), VYR_VERSION_STRING) == 0, "the library is the build its headers name");
    InitVyrUI();
    std::printf("resources: %s\n", vyr::VyrGetResourceDir().GetString());

    if (missing) {
        Expect(VyrLoadString(IDS_VYR_TESTSTRING).IsEmpty(), "no string without resources");
        Expect(vyr::FindDialogTemplate(IDD_SNAPSETTING) == nullptr, "no template without resources");
        Expect(vyr::FindDialogTemplate(IDD_SNAPOFFSET) == nullptr, "no template without resources");
        return g_failures;
    }

    // The folder found is the installed one, beside the library (given as argv[2]).
    if (argc > 2)
        Expect(std::filesystem::equivalent(vyr::VyrGetResourceDir().GetString(), argv[2]),
               "resources are read beside the installed library");
    Expect(VyrLoadString(IDS_VYR_TESTSTRING) == CString("平台测试字符串"), "the string table is read");
    const vyr::DialogTemplate* setting = vyr::FindDialogTemplate(IDD_SNAPSETTING);
    Expect(setting && setting->caption == CString("对象捕捉设置"), "the snap setting template is found");
    Expect(LoadCursor(AfxGetInstanceHandle(), MAKEINTRESOURCE(IDC_OPVIEW_PAN)) != nullptr,
           "the pan cursor is read from its installed file");

    // The coordinate offset dialog opened, filled and confirmed.
    CString caption;
    vyr::ScriptedUser::Run([&](CDialog* d) { d->GetWindowText(caption); }, IDD_SNAPOFFSET);
    vyr::ScriptedUser::SetText(IDC_SNAP_OFFSET, "1.5, 0, -2", IDD_SNAPOFFSET);
    vyr::ScriptedUser::PressOK(IDD_SNAPOFFSET);
    CDlgSnapOffset dlg;
    Expect(dlg.DoModal() == IDOK, "the offset dialog opens and is confirmed");
    Expect(caption == CString("输入坐标偏移值"), "the offset dialog has its template's caption");
    Expect(dlg.m_strOffset == CString("1.5, 0, -2"), "the offset typed is taken");

    // The host's own classes of the same file names live beside the library's.
    ConsumerFile own;
    own.name = "host";
    Expect(own.name == CString("host"), "the host's own file.h is its own");
    if (g_failures == 0) std::printf("installed library: all checks passed\n");
    return g_failures;
}
