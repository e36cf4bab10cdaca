// The library entry: loading initialises the module, InitVyrUI links it into the host's
// resource chain once, unloading unlinks it. Until it is linked, the library's templates,
// combo contents, bitmaps, cursors, strings and runtime classes are not found. This test
// has a plain main: nothing calls InitVyrUI before it does.
#include <gtest/gtest.h>

#include <string>

#include <vyr/protocol/DlgRecordPos.h>
#include <vyr/host/VyrEntry.h>
#include <vyr/resources.h>
#include <vyr/resources/dialogs/SnapRes.h>
#include <vyr/resources/resource.h>
#include <vyr/scripteduser.h>

namespace {

int LibraryLinks()
{
    int n = 0;
    for (CDynLinkLibrary* p : vyr::DynLinkLibraries())
        n += p->m_hModule == vyr::LibraryModuleHandle();
    return n;
}

// What the host finds of the library's resources and classes, each true when found.
struct Found
{
    bool dialog, comboContents, bitmap, cursor, string, libraryClass;
};

Found WhatIsFound()
{
    return Found{vyr::FindDialogTemplate(IDD_SNAPSETTING) != nullptr,
                 !vyr::FindComboContents(IDD_VYR_TESTDIALOG, IDC_VYR_TEST_COMBO).empty(),
                 !vyr::FindResourceFile(vyr::ResourceKind::Bitmap, IDB_VYR_TEST).IsEmpty(),
                 !vyr::FindResourceFile(vyr::ResourceKind::Cursor, IDC_VYR_TESTCURSOR).IsEmpty(),
                 !VyrLoadString(IDS_VYR_TESTSTRING).IsEmpty(),
                 CRuntimeClass::FromName("CDlgRecordPos") != nullptr};
}

void ExpectAll(const Found& f, bool expected, const char* when)
{
    EXPECT_EQ(f.dialog, expected) << when;
    EXPECT_EQ(f.comboContents, expected) << when;
    EXPECT_EQ(f.bitmap, expected) << when;
    EXPECT_EQ(f.cursor, expected) << when;
    EXPECT_EQ(f.string, expected) << when;
    EXPECT_EQ(f.libraryClass, expected) << when;
}

TEST(LibraryEntry, TheLibraryIsFoundOnlyWhileItIsLinked)
{
    ASSERT_TRUE(VyrUIModule().bInitialized) << "loading attaches the module";
    ASSERT_EQ(LibraryLinks(), 0);
    ExpectAll(WhatIsFound(), false, "before InitVyrUI");
    // The program's own classes are always found.
    EXPECT_NE(CRuntimeClass::FromName("CDialog"), nullptr);

    InitVyrUI();
    EXPECT_EQ(LibraryLinks(), 1);
    ExpectAll(WhatIsFound(), true, "after InitVyrUI");

    InitVyrUI();
    EXPECT_EQ(LibraryLinks(), 1) << "a second call links nothing more";

    // Unloading the library unlinks it.
    EXPECT_EQ(VyrUIDllMain(vyr::LibraryModuleHandle(), DLL_PROCESS_DETACH, nullptr), 1);
    EXPECT_EQ(LibraryLinks(), 0);
    EXPECT_FALSE(VyrUIModule().bInitialized);
    ExpectAll(WhatIsFound(), false, "after unloading");

    // Loaded again, it is found again after InitVyrUI.
    EXPECT_EQ(VyrUIDllMain(vyr::LibraryModuleHandle(), DLL_PROCESS_ATTACH, nullptr), 1);
    EXPECT_EQ(LibraryLinks(), 0);
    InitVyrUI();
    EXPECT_EQ(LibraryLinks(), 1);
    ExpectAll(WhatIsFound(), true, "after loading again");
    // Other notifications change nothing.
    EXPECT_EQ(VyrUIDllMain(vyr::LibraryModuleHandle(), DLL_THREAD_ATTACH, nullptr), 1);
    EXPECT_EQ(LibraryLinks(), 1);
}

TEST(LibraryEntryDeath, ALibraryDialogDoesNotOpenBeforeInitVyrUI)
{
    // The child runs the program afresh: loaded, not linked.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            if (LibraryLinks() == 0) {
                CDlgRecordPos dlg(IDD_SNAPSETTING, nullptr);
                dlg.DoModal();
            }
        },
        "9850 is not in the resource");
    GTEST_FLAG_SET(death_test_style, "fast");
}

TEST(LibraryEntry, ALibraryDialogOpensOnceLinked)
{
    InitVyrUI();
    vyr::ScriptedUser::Reset();
    vyr::ScriptedUser::PressCancel(IDD_SNAPSETTING);
    CDlgRecordPos dlg(IDD_SNAPSETTING, nullptr);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(vyr::ScriptedUser::PendingSteps(), 0u);
    vyr::ScriptedUser::Reset();
}

TEST(LibraryEntry, TheHostsOwnResourcesComeFirstAndTheResourceHandleReachesTheLibrary)
{
    InitVyrUI();
    const CString library = vyr::FindDialogTemplate(IDD_SNAPOFFSET)->caption;
    // A host template of the same id is the one found.
    std::string error;
    ASSERT_TRUE(vyr::AddResourceScriptText(std::to_string(IDD_SNAPOFFSET) +
                                               " DIALOGEX 0, 0, 40, 20\nCAPTION \"主程序\"\nBEGIN\nEND\n",
                                           "host.rc", &error))
        << error;
    EXPECT_EQ(vyr::FindDialogTemplate(IDD_SNAPOFFSET)->caption, CString("主程序"));

    // While the library is the current resource handle (around a call that switches to
    // it), its own come first; unlinked, it is still reached that way.
    HINSTANCE saved = AfxGetResourceHandle();
    AfxSetResourceHandle(vyr::LibraryModuleHandle());
    EXPECT_EQ(vyr::FindDialogTemplate(IDD_SNAPOFFSET)->caption, library);
    EXPECT_EQ(VyrUIDllMain(vyr::LibraryModuleHandle(), DLL_PROCESS_DETACH, nullptr), 1);
    EXPECT_NE(vyr::FindDialogTemplate(IDD_SNAPSETTING), nullptr);
    AfxSetResourceHandle(saved);
    EXPECT_EQ(vyr::FindDialogTemplate(IDD_SNAPSETTING), nullptr);
    EXPECT_EQ(vyr::FindDialogTemplate(IDD_SNAPOFFSET)->caption, CString("主程序")) << "the host's own stay found";
    VyrUIDllMain(vyr::LibraryModuleHandle(), DLL_PROCESS_ATTACH, nullptr);
    InitVyrUI();
}

} // namespace
