// The vibration-mode panel ("View.Frequent"): after a modal analysis it lists the modes
// with their periods and frequencies and lets the user choose how a mode shape is shown
// (static or animated, on the axis-plane or the three-dimensional model, with or without
// the undeformed structure, scale, animation length, colour). The settings are the host's
// (block 11 of WM_UI_GETSETTINGS); the panel keeps a copy, reloaded whenever it is shown
// and written back when a mode is shown or the colour changes.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/controls.h>
#include <vyr/host/MenuViewBase.h>
#include <vyr/model/grid/listctrlex.h>
#include <vyr/model/record/ShowPara.h>

class CViewFrequent : public CMenuViewBase
{
    DECLARE_DYNCREATE(CViewFrequent)
public:
    CViewFrequent();
    ~CViewFrequent() override = default;

    CString GetType() const override { return "View.Frequent"; }
    void Update() override { FillItem(); }
    void Resize() override;
    void OnInitialUpdate() override;

    void FillColumn();
    void FillItem();

    afx_msg void OnDisplay();
    afx_msg void OnButtonColor();
    afx_msg void OnStop();

    CListCtrlEx& ModeList() { return m_listMode; }
    const CShowTextFrequentPara& Settings() const { return m_para; }

    // Dialog data.
    int m_bShowOrigin = 0;  // check box 1140
    int m_nDisplayKind = 0; // 0 static, 1 animated
    int m_nModelKind = 1;   // 0 axis-plane model, 1 three-dimensional model
    int m_nAnimate = 0;     // animation length in periods, 1 to 10
    int m_nScale = 50;      // display scale, 1 to 1000

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Paints the panel: its swatch of the mode colour.
    void OnDraw(CDC* pDC) override;
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

    // Copies the host's record into the copy, the dialog data and the controls.
    void LoadSettings();
    // Fills static 1185 with the mode colour.
    void PaintSwatch();
    CShowTextFrequentPara* HostSettings() const;

    CBitmap m_bmpStop;
    CShowTextFrequentPara m_para;
    CListCtrlEx m_listMode;
};
