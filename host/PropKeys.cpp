// The dialog callbacks of the property keys. Until their dialogs exist each answers 0:
// nothing changed.
#include <vyr/host/PropsUI.h>

#define VYR_PROPKEY_UNCHANGED(name) \
    int CPropsUI::name(void*, CGlobalData*) { return 0; }

VYR_PROPKEY_UNCHANGED(SupportDlg)
VYR_PROPKEY_UNCHANGED(BeamSecDlg)
VYR_PROPKEY_UNCHANGED(BeamReleaseDlg)
VYR_PROPKEY_UNCHANGED(BeamOffsetDlg)
VYR_PROPKEY_UNCHANGED(BeamRigidDlg)
VYR_PROPKEY_UNCHANGED(BeamWebHoleDefineDlg)
VYR_PROPKEY_UNCHANGED(WallOffsetDlg)
VYR_PROPKEY_UNCHANGED(WallHoleDefineDlg)
VYR_PROPKEY_UNCHANGED(WallHoleAdjustDlg)
VYR_PROPKEY_UNCHANGED(PlaneHoleDefineDlg)
VYR_PROPKEY_UNCHANGED(PlaneSubBeamDefineDlg)
VYR_PROPKEY_UNCHANGED(NodeCheckOutputDlg)
VYR_PROPKEY_UNCHANGED(NodeOutputDispDlg)
VYR_PROPKEY_UNCHANGED(NodeOutputForceDlg)
VYR_PROPKEY_UNCHANGED(NodeOutputCheckDlg)
VYR_PROPKEY_UNCHANGED(BeamCheckOutputDlg)
VYR_PROPKEY_UNCHANGED(BeamQueryForceDlg)
VYR_PROPKEY_UNCHANGED(BeamOutputForceDlg)
VYR_PROPKEY_UNCHANGED(BeamOutputCheckDlg)
VYR_PROPKEY_UNCHANGED(BeamOutputStatisticDlg)
VYR_PROPKEY_UNCHANGED(BeamPinnailDlg)
VYR_PROPKEY_UNCHANGED(BeamPinnailDesignDlg)
VYR_PROPKEY_UNCHANGED(PlaneBanLibDlg)
VYR_PROPKEY_UNCHANGED(PlaneBanDesignDlg)
VYR_PROPKEY_UNCHANGED(PlaneBanCheckDlg)
VYR_PROPKEY_UNCHANGED(BCInWallCheckOutputDlg)
