// The bridge to the section-library plug-in Querport.dll: its editors (picking standard
// sections, defining user, tapered and combined sections, editing one project section)
// run inside the plug-in on the structure's own lists. Every call loads the plug-in from
// the application folder, hands it the lists again, runs one editor and unloads it, with
// the class library's resource handle saved before and put back after.
//
// When the plug-in cannot be loaded or lacks one of the functions a call needs, nothing
// of it is called: the user sees one message naming what is missing and the call
// answers 0, which every caller takes as an editor that changed nothing.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/shell.h>

class CGlobalData;
class CBeamList;
class CFloorList;
class CBeamGroupList;
class CMaterialList;
class CSectionList;

// The plug-in's file name in the application folder.
#define QUERPORT_FILE "Querport.dll"

// The plug-in's exports. The caller removes the arguments (the C convention).
extern "C" {
typedef void (*QuerportSetBeamListFn)(CBeamList*);
typedef void (*QuerportSetFloorListFn)(CFloorList*);
typedef void (*QuerportSetBeamGroupListFn)(CBeamGroupList*);
typedef void (*QuerportSetMaterialListFn)(CMaterialList*);
typedef void (*QuerportSetSectionListFn)(CSectionList*);
typedef void (*QuerportSetCurrentPathFn)(CString);
typedef int (*QuerportSectionLibFn)(int, int);
typedef int (*QuerportDefineSectionLibFn)(int, int, int);
typedef int (*QuerportNoArgFn)();
typedef char (*QuerportEditSectionFn)(int);
}

// Hands the structure's six lists and the application folder to the loaded plug-in:
// "SetBeamList", "SetFloorList", "SetBeamGroupList", "SetMaterialSteelList",
// "SetMaterialConcreteList", "SetSectionList", then "SetCurrentPath". False (nothing
// called, the missing name shown) when the module lacks one of them.
bool QuerportSetModelLists(CGlobalData* data, HMODULE hModule);

// "DlgSectionLibDoModal" (a, b): picking sections from the standard databases.
int QuerportSectionLibDoModal(CGlobalData* data, int a, int b);
// "DlgDefineSectionLibDoModal" (a, b, c): user-defined sections.
int QuerportDefineSectionLibDoModal(CGlobalData* data, int a, int b, int c);
// "DlgTaperSectionDoModal0": tapered sections.
int QuerportTaperSectionDoModal(CGlobalData* data);
// "DlgCombineSectionLibDoModal": combined sections.
int QuerportCombineSectionLibDoModal(CGlobalData* data);
// "OnEditsec" (position from 1 in the project section list): nonzero when it changed
// the section.
char QuerportEditSection(CGlobalData* data, int position);
