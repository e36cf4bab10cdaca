// A rich edit control that counts what reads its text, to see whether a report was printed.
#pragma once

#include <vyr/controls.h>

namespace vyrtest {

class CTextReadSpy : public CRichEditCtrl
{
public:
    int m_nReads = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GETTEXT)
            ++m_nReads;
        return CRichEditCtrl::WindowProc(message, wParam, lParam);
    }
};

} // namespace vyrtest
