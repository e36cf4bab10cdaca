// Small helpers of the common library: the application folder, number texts, and the
// flag that marks a hand-over to the analysis engine.
#pragma once

#include <vyr/stdafx.h>

class CVyrFunc
{
public:
    // The application folder, Windows-style and without a trailing backslash: the base of
    // the DataBase, Wave and Template folders.
    static CString GetAppPath();
};

class CStringFunc
{
public:
    // The value with that many decimals ("%.*f"); a value that rounds to zero is written
    // without a minus sign.
    static CString GetStrFromDouble(double value, int decimals);
};

// Set to 1 right before the analysis engine starts and the process ends.
class CDocomDo
{
public:
    static CDocomDo& Inst();
    BYTE m_bFlag = 0;
};
