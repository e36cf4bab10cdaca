// The least of the property dialog of one object that the selection operators need: the
// host hands out its dialog, the operator gives it the object and runs it modally. The
// full dialog with its property grid replaces this declaration.
#pragma once

#include <vyr/stdafx.h>

class CGlobalData;

#ifndef VYR_HAS_CDLGPROP
#define VYR_HAS_CDLGPROP
class CDlgProp : public CDialog
{
public:
    enum
    {
        IDD = 9847
    };

    explicit CDlgProp(CWnd* pParent = nullptr) : CDialog((UINT)IDD, pParent) {}
    ~CDlgProp() override = default;

    // kind: 0 node, 1 member, 2 wall, 3 room, 4 coupling beam in a wall.
    void SetParam(CGlobalData* data, void* object, int kind)
    {
        m_pGlobalData = data;
        m_pObject = object;
        m_nKind = kind;
    }

    CGlobalData* m_pGlobalData = nullptr;
    void* m_pObject = nullptr;
    int m_nKind = 0;
};
#endif
