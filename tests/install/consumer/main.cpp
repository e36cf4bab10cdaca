// A host built against the installed library: it reads the string table, finds the snap
// dialogs' templates and opens one as a user would, all from the installed resources, and
// opens the section browser on the database the library ships, with no application folder
// set. With --missing it runs where the resources and databases were taken away and finds
// nothing.

// The library's headers first; none of them may take the host's files of the same names.
#include <vyr/stdafx.h>
#include <vyr/file.h>
#include <vyr/view.h>
#include <vyr/resources.h>
#include <vyr/scripteduser.h>
#include <vyr/vyrui.h>
#include <vyr/host/VyrEntry.h>
#include <vyr/libraries/DlgStdSectionLib.h>
#include <vyr/libraries/SectionCatalog.h>
#include <vyr/operators/DlgSnapOffset.h>
#include <vyr/operators/DlgSnapSetting.h>
#include <vyr/resources/dialogs/SnapRes.h>
#include <vyr/resources/dialogs/StdSectionRes.h>
#include <vyr/resources/resource.h>

#define CONSUMER_OWN_HEADERS
#include "stdafx.h"
#include "file.h"
#include "view.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

int g_failures = 0;

void Expect(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "FAILED: %s\n", what);
        ++g_failures;
    }
}

// Opens the Chinese sections' database as the browser does: the path it took.
CString OpenChineseDatabase(bool* opened)
{
    CDlgStdSectionLib reader;
    reader.m_bBrowse = false;
    reader.m_nEditCountry = 0;
    *opened = reader.OpenDatabase();
    return reader.m_strDatabasePath;
}

bool SameFile(const CString& windowsPath, const fs::path& file)
{
    std::error_code ec;
    return fs::equivalent(VyrMapPath(windowsPath.GetString()), file, ec);
}

// The section browser, opened as a user does: the database it reads lies in `dataBase`.
void OpenSectionBrowser(const fs::path& dataBase)
{
    const char* chinese = vyr::sections::kDatabaseFiles[0] + std::strlen("\\DataBase\\");
    const fs::path shipped = dataBase / chinese;
    int rows = -1;
    vyr::ScriptedUser::Run(
        [&](CDialog* d) { rows = static_cast<CListCtrl*>(d->GetDlgItem(IDC_STDSEC_LIST))->GetItemCount(); },
        IDD_STDSECTIONLIB);
    vyr::ScriptedUser::PressCancel(IDD_STDSECTIONLIB);
    CDlgStdSectionLib browser;
    Expect(browser.DoModal(true, nullptr) == IDCANCEL, "the section browser opens and is cancelled");
    Expect(rows > 0, "the section browser lists the shipped table");
    Expect(SameFile(browser.m_strDatabasePath, shipped), "the browser reads the database the library ships");
    Expect(vyr::ScriptedUser::MessageBoxes().empty(), "the browser opens without a message");

    // A host's own file in its application folder wins over the library's.
    const fs::path app = fs::temp_directory_path() / ("vyr-consumer-app-" + std::to_string(::getpid()));
    fs::create_directories(app / "DataBase");
    fs::copy_file(shipped, app / "DataBase" / chinese, fs::copy_options::overwrite_existing);
    VyrSetAppFolder(app.string().c_str());
    bool opened = false;
    const CString path = OpenChineseDatabase(&opened);
    Expect(opened && SameFile(path, app / "DataBase" / chinese), "the host's own database wins");
    VyrSetAppFolder(nullptr);
    fs::remove_all(app);
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
        // The message names the application folder's place and the library's (argv[2]).
        vyr::ScriptedUser::AnswerMessageBox(IDOK, "找不到文件");
        bool opened = true;
        const CString looked = OpenChineseDatabase(&opened);
        const auto boxes = vyr::ScriptedUser::MessageBoxes();
        const std::string shipped = argc > 2 ? (fs::weakly_canonical(argv[2]) / "DataBase").string() : std::string("?");
        const std::string libraryPlace = VyrWindowsPath(shipped.c_str());
        Expect(!opened && boxes.size() == 1 && boxes[0].text.Find(looked.GetString()) >= 0 &&
                   boxes[0].text.Find(libraryPlace.c_str()) >= 0,
               "the missing database's message names the application folder and the library's folder");
        if (!boxes.empty()) std::printf("%s\n", boxes[0].text.GetString());
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

    if (argc > 2) OpenSectionBrowser(fs::path(argv[2]).parent_path() / "DataBase");

    // The host's own classes of the same file names live beside the library's.
    ConsumerFile own;
    own.name = "host";
    Expect(own.name == CString("host"), "the host's own file.h is its own");
    if (g_failures == 0) std::printf("installed library: all checks passed\n");
    return g_failures;
}
