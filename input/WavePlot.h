// The plot of a wave record, shared by the record library and the record editor: grey axes
// with arrow heads, the record as a blue curve scaled to its peak, the peak as a label, and
// the editor's red marker at the cut length.
#pragma once

#include <vyr/stdafx.h>

class CWaveFun;

// The plot text's font: Arial, 12 pixels.
LOGFONT VyrWavePlotFont();
// The axes in rect (its client rectangle, l = t = 0 in the dialogs).
void VyrDrawWaveAxis(CDC* pDC, const CRect& rect);
// The curve and its peak label; then, when marker (s) lies strictly between 0 and the
// record's length, the red marker line. A record whose peak is 0 is drawn flat.
void VyrDrawWaveCurve(CDC* pDC, const CRect& rect, const CWaveFun* wave, const LOGFONT& font, float marker = -1.0f);
// The whole plot frame: the rectangle with the context's pen and brush, then, for a
// record, its axes and curve.
void VyrDrawWavePlot(CDC* pDC, const CRect& rect, const CWaveFun* wave, const LOGFONT& font, float marker = -1.0f);
// The same on the client area of a frame control, through a context of its own.
void VyrDrawWavePlot(CWnd* pFrame, const CWaveFun* wave, const LOGFONT& font, float marker = -1.0f);
