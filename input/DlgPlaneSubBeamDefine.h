// Secondary beams of quadrilateral rooms: parallel beams between two opposite sides, laid
// across (direction 0, between S2 and S4) or along (direction 1, between S1 and S3). The
// caller appends the rooms to the dialog's list; on OK the dialog lays the beams out.
#pragma once

#include <vyr/input/DlgSubBeamLayout.h>

class CDlgPlaneSubBeamDefine : public CDlgSubBeamLayout
{
public:
    explicit CDlgPlaneSubBeamDefine(CWnd* pParent = nullptr);

protected:
    Placement PlacementOf(int direction) const override;
    int DirectionOfCode(int code) const override { return code == 2 ? 1 : 0; }
    bool ShowsReadLengthsUnrounded() const override { return true; }
    void DrawLabels(CDC* pDC) override;

    DECLARE_MESSAGE_MAP()
};
