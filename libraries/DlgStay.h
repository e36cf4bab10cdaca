// The batten plates and lacing bars of the project, which tie the limbs of combined
// sections: the library dialog lists, adds, edits and deletes them and returns the record
// chosen for the combined section it was opened from. The plate and bar dialogs take and
// show millimetres; the records keep centimetres.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/protocol/LibraryRows.h>
#include <vyr/model/grid/listctrlex.h>

class CGlobalData;
class CCombineSecBase;
class CMaterialBase;
class CSectionBase;
class CStay;
class CStayList;

class CDlgStayPlate : public CDialog
{
public:
    CDlgStayPlate(CCombineSecBase* pSection, CMaterialBase* pMaterial, CWnd* pParent = nullptr);

    // The plate length the section's limbs leave, for the combined types 609 to 619 (mm);
    // false for other types or when a component section is missing.
    static bool ProposeLength(CCombineSecBase* pSection, float& length);

    CCombineSecBase* m_pSection;
    CMaterialBase* m_pMaterial;
    CGlobalData* m_pData = nullptr;
    float m_fLength = 0.0f;
    float m_fWidth = 200.0f;
    float m_fThick = 6.0f;
    float m_fSpace = 400.0f;
    int m_nConnect = 1; // 0 bolted, 1 welded

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnChooseMaterial();
    DECLARE_MESSAGE_MAP()

private:
    void ShowMaterial();
};

class CDlgStayBar : public CDialog
{
public:
    // pAngle: the record's angle section, which stays the record's; null for a new record.
    CDlgStayBar(CCombineSecBase* pSection, CSectionBase* pAngle, CWnd* pParent = nullptr);
    ~CDlgStayBar() override;

    // After IDOK: the chosen angle section. One picked in the browser passes to the caller
    // with this call; one not taken is destroyed with the dialog.
    CSectionBase* TakeAngle();
    // Puts an angle section picked in the browser in place, destroying an earlier pick.
    void SetPickedAngle(CSectionBase* pAngle);

    CCombineSecBase* m_pSection;
    CSectionBase* m_pAngle;
    CGlobalData* m_pData = nullptr;
    int m_nLeg = 0;        // 0 long leg, 1 short leg
    int m_nDiagonal = 0;   // 0 one bar, 1 two bars
    int m_nHorizontal = 0; // 0 with horizontal bars, 1 without
    float m_fSpace = 0.0f;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnChooseAngle();
    DECLARE_MESSAGE_MAP()

private:
    void ShowAngle();
    bool m_bPicked = false; // m_pAngle came from the browser and is still the dialog's
};

class CDlgStaybase : public CDialog
{
public:
    explicit CDlgStaybase(CCombineSecBase* pSection, CWnd* pParent = nullptr);

    CCombineSecBase* m_pSection;
    CGlobalData* m_pData = nullptr;
    // After IDOK: the chosen record, or null for "no batten plates or lacing bars".
    CStay* m_pStay = nullptr;
    CListCtrlEx m_list;
    // Row 0 clears the section's record; row r is record r.
    CLibraryRows<CStayList, CStay> m_rows{m_list};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnAddPlate();
    afx_msg void OnAddBar();
    afx_msg void OnDelete();
    afx_msg void OnEdit();
    afx_msg void OnDblClkList(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    bool IsUsed(CStay* pStay) const;
    // The editors: true when the library changed.
    bool AddPlate();
    bool AddBar();
    bool EditRecord(CStay* stay);
};
