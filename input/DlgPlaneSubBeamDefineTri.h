// Secondary beams of triangular rooms: parallel to one chosen side, between the two other
// sides. The caller appends the rooms to the dialog's list; on OK the dialog lays the
// beams out.
#pragma once

#include <vyr/input/DlgSubBeamLayout.h>

class CDlgPlaneSubBeamDefineTri : public CDlgSubBeamLayout
{
public:
    explicit CDlgPlaneSubBeamDefineTri(CWnd* pParent = nullptr);

protected:
    Placement PlacementOf(int direction) const override;
    int DirectionOfCode(int code) const override { return code == 1 ? 0 : code == 2 ? 1 : 2; }
    bool ShowsReadLengthsUnrounded() const override { return false; }
    void DrawLabels(CDC* pDC) override;

    DECLARE_MESSAGE_MAP()
};
