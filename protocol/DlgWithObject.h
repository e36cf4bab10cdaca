// The dialog form of DoModal with an object: the caller hands over the one object the
// dialog works on (a pointer, or a number of pointer size), the dialog keeps it in its
// first own member and runs modally. Several dialogs of the libraries, the input and the
// reports share this form; Base is the dialog class they extend.
#pragma once

#include <vyr/stdafx.h>

template <class T, class Base = CDialog>
class CDlgWithObject : public Base
{
    static_assert(sizeof(T) == sizeof(void*), "the object is handed over in one pointer-sized argument");

public:
    using Base::Base;
    using Base::DoModal;

    // Stores the object, unchecked, then runs the dialog: IDOK or IDCANCEL.
    virtual INT_PTR DoModal(T object)
    {
        m_pObject = object;
        return Base::DoModal();
    }

protected:
    T m_pObject{};
};
