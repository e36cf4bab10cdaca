// The library's resources: dialog templates, string tables, combo-box contents and the
// files of bitmaps, cursors and icons, read at run time from Windows resource scripts
// (UTF-8, `#pragma code_page(65001)`) with their `resource.h` of `#define` ids.
//
// Where the scripts are: the folder given to VyrSetResourceDir, else the first folder
// holding a `vyr.rc` of: `../share/vyr/resources` from the folder of the library's file
// (where an installation puts them), `resources` beside that file, the environment
// variable VYR_RESOURCE_DIR, and the source tree's `resources` only while the library
// runs from the build tree it was built in. When none holds one, the places looked at are
// written to stderr once and every lookup finds nothing. The folder's `vyr.rc` is read
// first, then every `dialogs/*.rc` in name order. A script may `#include` other scripts and
// headers, named relative to itself. Reading happens once, at the first lookup; a script that does not
// parse stops the program with "file:line: message".
//
// Statements understood: DIALOG / DIALOGEX (STYLE, EXSTYLE, CAPTION, FONT, and the
// controls CONTROL, LTEXT, RTEXT, CTEXT, EDITTEXT, PUSHBUTTON, DEFPUSHBUTTON, COMBOBOX,
// GROUPBOX, CHECKBOX, AUTOCHECKBOX, STATE3, AUTO3STATE, RADIOBUTTON, AUTORADIOBUTTON,
// LISTBOX, ICON, SCROLLBAR), DLGINIT, STRINGTABLE, BITMAP, CURSOR, ICON; other resource
// kinds (TEXTINCLUDE, VERSIONINFO, MENU, ...) are skipped. Style flags are read by their
// Win32 names and values; `NOT X` takes a default flag away.
//
// DLGINIT entries are `control id, message, byte count, 0, data...`. The data is either
// one string literal (the whole text; the byte count is then informational, since the
// script is UTF-8 while the count was written for GBK) or little-endian hex words holding
// the bytes, as resource compilers emit it. The message is 0x403 (combo box) or 0x401
// (list box), the 16-bit codes that the class library's DLGINIT uses.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <vyr/cstring.h>
#include <vyr/winmsg.h>
#include <vyr/wintypes.h>

// Window and control styles used by the scripts and the controls (those that the message
// header does not already give).
#ifndef WS_EX_NOPARENTNOTIFY
#define WS_EX_NOPARENTNOTIFY 0x00000004u
#endif
#ifndef WS_EX_ACCEPTFILES
#define WS_EX_ACCEPTFILES 0x00000010u
#endif
#ifndef WS_EX_CONTEXTHELP
#define WS_EX_CONTEXTHELP 0x00000400u
#endif
#ifndef WS_EX_RIGHT
#define WS_EX_RIGHT 0x00001000u
#endif
#ifndef WS_EX_LEFTSCROLLBAR
#define WS_EX_LEFTSCROLLBAR 0x00004000u
#endif
#ifndef WS_EX_CONTROLPARENT
#define WS_EX_CONTROLPARENT 0x00010000u
#endif
#ifndef WS_EX_APPWINDOW
#define WS_EX_APPWINDOW 0x00040000u
#endif

#ifndef DS_ABSALIGN
#define DS_ABSALIGN 0x01u
#endif
#ifndef DS_SYSMODAL
#define DS_SYSMODAL 0x02u
#endif
#ifndef DS_LOCALEDIT
#define DS_LOCALEDIT 0x20u
#endif
#ifndef DS_NOIDLEMSG
#define DS_NOIDLEMSG 0x100u
#endif
#ifndef DS_SETFOREGROUND
#define DS_SETFOREGROUND 0x200u
#endif
#ifndef DS_3DLOOK
#define DS_3DLOOK 0x0004u
#endif
#ifndef DS_FIXEDSYS
#define DS_FIXEDSYS 0x0008u
#endif
#ifndef DS_NOFAILCREATE
#define DS_NOFAILCREATE 0x0010u
#endif
#ifndef DS_CONTROL
#define DS_CONTROL 0x0400u
#endif
#ifndef DS_CENTERMOUSE
#define DS_CENTERMOUSE 0x1000u
#endif
#ifndef DS_CONTEXTHELP
#define DS_CONTEXTHELP 0x2000u
#endif

#ifndef ES_OEMCONVERT
#define ES_OEMCONVERT 0x0400u
#endif

#ifndef BS_USERBUTTON
#define BS_USERBUTTON 0x00000008u
#endif
#ifndef BS_TEXT
#define BS_TEXT 0x00000000u
#endif
#ifndef BS_LEFT
#define BS_LEFT 0x00000100u
#endif
#ifndef BS_RIGHT
#define BS_RIGHT 0x00000200u
#endif
#ifndef BS_TOP
#define BS_TOP 0x00000400u
#endif
#ifndef BS_BOTTOM
#define BS_BOTTOM 0x00000800u
#endif
#ifndef BS_VCENTER
#define BS_VCENTER 0x00000C00u
#endif
#ifndef BS_FLAT
#define BS_FLAT 0x00008000u
#endif

#ifndef SS_ENHMETAFILE
#define SS_ENHMETAFILE 0x0000000Fu
#endif
#ifndef SS_NOPREFIX
#define SS_NOPREFIX 0x00000080u
#endif
#ifndef SS_RIGHTJUST
#define SS_RIGHTJUST 0x00000400u
#endif
#ifndef SS_REALSIZEIMAGE
#define SS_REALSIZEIMAGE 0x00000800u
#endif

#ifndef CBS_OWNERDRAWVARIABLE
#define CBS_OWNERDRAWVARIABLE 0x0020u
#endif
#ifndef CBS_OEMCONVERT
#define CBS_OEMCONVERT 0x0080u
#endif
#ifndef CBS_DISABLENOSCROLL
#define CBS_DISABLENOSCROLL 0x0800u
#endif
#ifndef CBS_UPPERCASE
#define CBS_UPPERCASE 0x2000u
#endif
#ifndef CBS_LOWERCASE
#define CBS_LOWERCASE 0x4000u
#endif

#ifndef LBS_OWNERDRAWVARIABLE
#define LBS_OWNERDRAWVARIABLE 0x0020u
#endif
#ifndef LBS_MULTICOLUMN
#define LBS_MULTICOLUMN 0x0200u
#endif
#ifndef LBS_DISABLENOSCROLL
#define LBS_DISABLENOSCROLL 0x1000u
#endif
#ifndef LBS_NODATA
#define LBS_NODATA 0x2000u
#endif
#ifndef LBS_NOSEL
#define LBS_NOSEL 0x4000u
#endif

#ifndef SBS_HORZ
#define SBS_HORZ 0x0000u
#endif
#ifndef SBS_VERT
#define SBS_VERT 0x0001u
#endif

#ifndef LVS_ICON
#define LVS_ICON 0x0000u
#endif
#ifndef LVS_REPORT
#define LVS_REPORT 0x0001u
#endif
#ifndef LVS_SMALLICON
#define LVS_SMALLICON 0x0002u
#endif
#ifndef LVS_LIST
#define LVS_LIST 0x0003u
#endif
#ifndef LVS_TYPEMASK
#define LVS_TYPEMASK 0x0003u
#endif
#ifndef LVS_SINGLESEL
#define LVS_SINGLESEL 0x0004u
#endif
#ifndef LVS_SHOWSELALWAYS
#define LVS_SHOWSELALWAYS 0x0008u
#endif
#ifndef LVS_SORTASCENDING
#define LVS_SORTASCENDING 0x0010u
#endif
#ifndef LVS_SORTDESCENDING
#define LVS_SORTDESCENDING 0x0020u
#endif
#ifndef LVS_SHAREIMAGELISTS
#define LVS_SHAREIMAGELISTS 0x0040u
#endif
#ifndef LVS_NOLABELWRAP
#define LVS_NOLABELWRAP 0x0080u
#endif
#ifndef LVS_AUTOARRANGE
#define LVS_AUTOARRANGE 0x0100u
#endif
#ifndef LVS_EDITLABELS
#define LVS_EDITLABELS 0x0200u
#endif
#ifndef LVS_OWNERDATA
#define LVS_OWNERDATA 0x1000u
#endif
#ifndef LVS_NOSCROLL
#define LVS_NOSCROLL 0x2000u
#endif
#ifndef LVS_ALIGNTOP
#define LVS_ALIGNTOP 0x0000u
#endif
#ifndef LVS_ALIGNLEFT
#define LVS_ALIGNLEFT 0x0800u
#endif
#ifndef LVS_OWNERDRAWFIXED
#define LVS_OWNERDRAWFIXED 0x0400u
#endif
#ifndef LVS_NOCOLUMNHEADER
#define LVS_NOCOLUMNHEADER 0x4000u
#endif
#ifndef LVS_NOSORTHEADER
#define LVS_NOSORTHEADER 0x8000u
#endif

#ifndef TCS_TABS
#define TCS_TABS 0x0000u
#endif
#ifndef TCS_BOTTOM
#define TCS_BOTTOM 0x0002u
#endif
#ifndef TCS_MULTILINE
#define TCS_MULTILINE 0x0200u
#endif
#ifndef TCS_BUTTONS
#define TCS_BUTTONS 0x0100u
#endif
#ifndef TCS_FIXEDWIDTH
#define TCS_FIXEDWIDTH 0x0400u
#endif
#ifndef TCS_FOCUSNEVER
#define TCS_FOCUSNEVER 0x8000u
#endif

#ifndef PBS_SMOOTH
#define PBS_SMOOTH 0x01u
#endif
#ifndef PBS_VERTICAL
#define PBS_VERTICAL 0x04u
#endif

#ifndef UDS_WRAP
#define UDS_WRAP 0x0001u
#endif
#ifndef UDS_SETBUDDYINT
#define UDS_SETBUDDYINT 0x0002u
#endif
#ifndef UDS_ALIGNRIGHT
#define UDS_ALIGNRIGHT 0x0004u
#endif
#ifndef UDS_ALIGNLEFT
#define UDS_ALIGNLEFT 0x0008u
#endif
#ifndef UDS_AUTOBUDDY
#define UDS_AUTOBUDDY 0x0010u
#endif
#ifndef UDS_ARROWKEYS
#define UDS_ARROWKEYS 0x0020u
#endif
#ifndef UDS_HORZ
#define UDS_HORZ 0x0040u
#endif
#ifndef UDS_NOTHOUSANDS
#define UDS_NOTHOUSANDS 0x0080u
#endif
#ifndef UDS_HOTTRACK
#define UDS_HOTTRACK 0x0100u
#endif

#ifndef TVS_HASBUTTONS
#define TVS_HASBUTTONS 0x0001u
#endif
#ifndef TVS_HASLINES
#define TVS_HASLINES 0x0002u
#endif
#ifndef TVS_LINESATROOT
#define TVS_LINESATROOT 0x0004u
#endif
#ifndef TVS_EDITLABELS
#define TVS_EDITLABELS 0x0008u
#endif
#ifndef TVS_SHOWSELALWAYS
#define TVS_SHOWSELALWAYS 0x0020u
#endif

namespace vyr {

// Base units of the dialog font (9-point 宋体 and MS Shell Dlg alike in this stand-in):
// one horizontal dialog unit is a quarter of kDialogBaseX pixels, one vertical unit an
// eighth of kDialogBaseY pixels.
constexpr int kDialogBaseX = 6;
constexpr int kDialogBaseY = 13;
// Dialog units to pixels, rounded to nearest as MapDialogRect does.
int DialogUnitsToPixelsX(int x);
int DialogUnitsToPixelsY(int y);
CRect DialogUnitsToPixels(const CRect& dlu);

struct DialogControl
{
    CString className;  // canonical window class: "Button", "Edit", "SysListView32", ...
    CString text;       // caption; for ICON the icon's name or number
    int id = -1;        // IDC_STATIC is -1
    DWORD style = 0;
    DWORD exStyle = 0;
    CRect dluRect;      // as written: left, top, right = x + cx, bottom = y + cy
    CRect rect;         // in pixels, in the dialog's client area
    CString file;       // where it was defined, for messages
    int line = 0;
};

struct DialogTemplate
{
    UINT id = 0;        // 0 for a template known by name only
    CString name;       // the symbol or name written in the script
    CString caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    bool extended = false; // DIALOGEX
    CString fontName;
    int fontSize = 0;
    CRect dluRect;      // x, y, x + cx, y + cy
    CRect rect;         // in pixels; the client area is rect.Width() x rect.Height()
    std::vector<DialogControl> controls; // in script order (the tab order)
    CString file;
    int line = 0;

    // The first control with that id, or null.
    const DialogControl* FindControl(int ctrlId) const;
};

// One DLGINIT entry: a text added to a control when its dialog is created.
struct DialogInitEntry
{
    int controlId = 0;
    UINT message = 0;   // 0x403 combo box, 0x401 list box
    CString text;
};

enum class ResourceKind { Bitmap, Cursor, Icon };

// The resources of one or more scripts. Lookups by number resolve the symbols of the
// `#define`s read with them.
class ResourceSet
{
public:
    // Parses script text; fileName names it in messages and anchors relative paths.
    // On failure returns false, sets *error to "file:line: message" and leaves the
    // set as it was.
    bool ParseText(const std::string& text, const std::string& fileName, std::string* error);
    // Reads a script from disk (a missing file is an error).
    bool ParseFile(const std::string& path, std::string* error);
    // Adds the other set's contents; a resource defined in both is replaced when replace
    // is true, otherwise it is an error naming both places.
    bool Merge(const ResourceSet& other, bool replace, std::string* error);

    const DialogTemplate* FindDialog(UINT id) const;
    const DialogTemplate* FindDialog(const char* name) const;
    // The DLGINIT entries of a dialog, in script order; null when it has none.
    const std::vector<DialogInitEntry>* FindDialogInit(UINT dialogId) const;
    // The texts given by DLGINIT to one control, in script order (empty when none).
    std::vector<CString> FindComboContents(UINT dialogId, int controlId) const;
    bool FindString(UINT id, CString& out) const;
    // Absolute path of the file of a bitmap, cursor or icon; empty when unknown.
    CString FindFile(ResourceKind kind, UINT id) const;
    CString FindFile(ResourceKind kind, const char* name) const;
    // Takes over the other set's `#define`s only.
    void ImportSymbols(const ResourceSet& other) { m_symbols.insert(other.m_symbols.begin(), other.m_symbols.end()); }
    // The value of a `#define` read with the scripts; false when there is none.
    bool LookupSymbol(const char* name, long* value) const;

    size_t DialogCount() const { return m_dialogs.size(); }
    // Shares every template of this set (to keep them alive while they are replaced).
    std::vector<std::shared_ptr<const DialogTemplate>> Templates() const;

private:
    friend class ScriptParser;
    struct FileEntry
    {
        CString path;
        CString where;
    };
    std::map<std::string, long> m_symbols;
    std::map<UINT, std::shared_ptr<DialogTemplate>> m_dialogs;
    std::map<std::string, std::shared_ptr<DialogTemplate>> m_dialogsByName;
    std::map<UINT, std::vector<DialogInitEntry>> m_dlgInit;
    std::map<UINT, CString> m_strings;
    std::map<UINT, CString> m_stringWhere;
    std::map<std::pair<int, UINT>, FileEntry> m_files;
    std::map<std::pair<int, std::string>, FileEntry> m_filesByName;
};

// The folder the library's scripts are read from (see the top of this file).
void VyrSetResourceDir(const char* path);
CString VyrGetResourceDir();

// The search behind the default folder, for a library whose file is `modulePath`, built
// in `buildDir` from the scripts of `sourceDir`: `dir` is empty when no place holds them.
struct ResourceDirSearch
{
    std::string dir;
    std::vector<std::string> looked;
};
ResourceDirSearch SearchResourceDir(const std::string& modulePath, const char* envDir, const std::string& buildDir,
                                    const std::string& sourceDir);
// The folder of the data the library ships (`share/vyr`, the section databases in its
// `DataBase`), where an installation puts it relative to the library's file, as it does the
// resources; for a library whose file is `modulePath` (empty when that is not known).
std::string LibraryDataDir(const std::string& modulePath);
std::string LibraryDataDir();

// The library's resources, read at the first call (thread-safe).
const ResourceSet& GetResources();
// Adds a script given as text to the library's resources (a definition of the same
// resource replaces the earlier one); false with *error set when it does not parse.
// Add scripts before other threads look resources up.
bool AddResourceScriptText(const std::string& text, const std::string& fileName, std::string* error);

const DialogTemplate* FindDialogTemplate(UINT id);
const DialogTemplate* FindDialogTemplate(const char* name);
std::vector<CString> FindComboContents(UINT dialogId, int controlId);
const std::vector<DialogInitEntry>* FindDialogInit(UINT dialogId);
CString FindResourceFile(ResourceKind kind, UINT id);
CString FindResourceFile(ResourceKind kind, const char* name);

} // namespace vyr

// The string of the library's string table with that id; empty when there is none.
CString VyrLoadString(UINT id);
// The class library's form: false when the id has no string.
BOOL AfxLoadString(UINT id, CString& out);
