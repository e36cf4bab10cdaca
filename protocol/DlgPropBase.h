// What the selection operators need of the host's property dialog of one object: they ask
// the host for it (WM_UI_GETPROPDLG), hand it the object and run it. The dialog itself
// belongs to the host's layer, above the operators.
#pragma once

#include <vyr/protocol/DlgRecordPos.h>

class CGlobalData;

class CDlgPropBase : public CDlgRecordPos
{
public:
    using CDlgRecordPos::CDlgRecordPos;

    // kind: an object kind (ObjKind, <vyr/model/struct/ObjKind.h>).
    virtual void SetParam(CGlobalData* data, void* object, int kind) = 0;
};
