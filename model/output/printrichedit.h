// Printing a report: the whole text of a rich-edit control on pages of the printer the
// user picks.
#pragma once

#include <vyr/stdafx.h>

class CRichEditCtrl;

// Prints the control's text on A4 pages with the given margins in twips (left, top,
// right, bottom) and the title at the head of each page. A line wider than the page
// continues on the next lines. The print dialog asks for the
// printer first. Pages follow one another down the printer's device context, one page
// height apart. Returns the number of pages printed: 0 when the user cancelled or there
// is no control.
int PrintRichEditCtrl(CRichEditCtrl* pCtrl, RECT& margins, CString title);
