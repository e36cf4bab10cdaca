#include <vyr/input/DialogHelpers.h>

#include <vyr/model/struct/GlobalData.h>

void DrawInFrame(CWnd* dlg, int frameId, const std::function<void(CDC*)>& draw)
{
    CWnd* frame = dlg != nullptr ? dlg->GetDlgItem(frameId) : nullptr;
    if (frame == nullptr || frame->GetSafeHwnd() == nullptr)
        return;
    CDC* pDC = frame->GetDC();
    draw(pDC);
    frame->ReleaseDC(pDC);
}

float DisplayUnit(CGlobalData* data)
{
    const float u = data != nullptr ? data->UnitLength() : 1.0f;
    return u > 0.0f ? u : 1.0f;
}
