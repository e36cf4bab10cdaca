// CListCtrlEx: the common library's list control of the panels and dialogs (report view
// lists of sections, materials, modes, cases). It is the platform's list control under
// the library's own class name.
#pragma once

#include <vyr/controls.h>
#include <vyr/stdafx.h>

class CListCtrlEx : public CListCtrl
{
    DECLARE_DYNAMIC(CListCtrlEx)
public:
    CListCtrlEx() = default;
    ~CListCtrlEx() override = default;
};
