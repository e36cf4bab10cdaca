// Control classes that CWndData's lookups name and the platform's control set does not
// have yet: a date-time picker and a tree view, as plain windows without behaviour of their
// own. No dialog of the library uses them; they give the lookups their types.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/wnd.h>

class CDateTimeCtrl : public CWnd
{
    DECLARE_DYNAMIC(CDateTimeCtrl)
};

class CTreeCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTreeCtrl)
};
