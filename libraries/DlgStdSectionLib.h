// The standard steel-section browser: the user picks one row of a national section table
// and a steel material, and OK builds a section of the model from the row.
//
// Browse mode offers the Chinese angles; a picked angle goes back to the caller in
// m_pResult, any other section joins the project section library. Edit mode shows the
// table of the section it is given and rewrites that section from the chosen row.
//
// The databases are read through the data-access classes: one database open at a time,
// one recordset for the table shown. The list shows each number through "%10.2f", but
// the builder takes every field at its full value.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/dao.h>
#include <vyr/libraries/SectionCatalog.h>
#include <vyr/libraries/SectionMap.h>
#include <vyr/model/grid/listctrlex.h>

class CGlobalData;
class CSectionBase;

class CDlgStdSectionLib : public CDialog
{
public:
    explicit CDlgStdSectionLib(CWnd* pParent = nullptr);
    ~CDlgStdSectionLib() override;

    // Browse mode: (true, null); edit mode: (false, a section of code 101 to 414).
    virtual INT_PTR DoModal(bool bBrowse, CSectionBase* pSection);
    using CDialog::DoModal;

    CGlobalData* m_pData = nullptr;
    bool m_bBrowse = true;
    CSectionBase* m_pEditSection = nullptr;
    // After IDOK in browse mode: the new angle section, the caller's from then on.
    CSectionBase* m_pResult = nullptr;
    int m_nEditCountry = 0;
    int m_nEditFamily = 0;
    int m_nEditSubType = 0;
    CString m_strMaterial = "Q235B";
    CString m_strDisplayName;
    bool m_bRowChosen = false;
    int m_nPrevColumns = 0;
    CRect m_rcRow;

    CComboBox m_comboMaterial;
    CListCtrlEx m_list;
    CTabCtrl m_tabSubType;
    CTabCtrl m_tabFamily;
    CTabCtrl m_tabCountry;

    // ----- the database reader
    CString m_strDatabasePath;
    CDaoDatabase m_database;
    CDaoRecordset* m_pRecordset = nullptr;
    bool m_bTableOpen = false;
    CString m_strQuery;
    int m_nListColumns = 0;
    int m_nPropCount = 0;
    int m_nFirstProp = 0;
    int m_nValueCount = 0;
    int m_nRecordCount = 0;
    int m_nFieldCount = 0;
    std::vector<CString> m_arrColumnNames;
    std::vector<unsigned short> m_arrColumnChars;
    enum { VALUE_COUNT = 34 };
    float m_fValues[VALUE_COUNT] = {};
    // Font metrics of the list's column widths.
    int m_nCharWidth = 0;
    int m_nTextWidth = 0;
    int m_nTextHeight = 0;

    // Opens the database of the current country; false (after one message) when it does
    // not open or there is no such country.
    bool OpenDatabase();
    void SelectTableChina(int nFamily, int nSubType);
    void SelectTableUS(int nFamily, int nSubType);
    void SelectTableUK(int nFamily, int nSubType);
    void SelectTableJapan(int nFamily, int nSubType);
    void RunQuery();
    // Opens the selected table; false (after one message) when the file lacks it.
    bool OpenTable();
    void ReadColumnInfo();
    void ReleaseTable();
    void CloseTable();
    void FieldToText(const COleVariant& value, CString& text) const;
    // m_fValues[k - 1] = field k of the current row, for k = 1 to n; null, text that is
    // no number and fields the table lacks give 0.
    void ReadRowValues(int n);

    // ----- positions and names
    void SetTabsFromCode(int nCode);
    void MakeDisplayName();
    // The catalogue row of the current position (tabs in browse mode, the stored position
    // in edit mode), or null.
    const vyr::sections::CatalogRow* CurrentRow() const;

    // ----- the browser
    BOOL FillFamilyTab();
    void FillSubTypeTab();
    void FillColumns();
    void FillRows();
    void ShowProperties();
    void DrawPreview();
    // The preview of the current row into a context: grey field, then the profile's
    // drawing and dimensions.
    void DrawPreviewInto(CDC* pDC, CRect rect);

    // ----- the builder
    // Builds the chosen row's section. False, after a message, when nothing was built:
    // no row chosen, no steel material, or dimensions no section can have.
    bool BuildSection();
    // The kind text of a built section: the angle abbreviation and the designation for a
    // standard angle, otherwise the full text.
    static CString KindText(const CString& strCategory, const CString& strFull, const CString& strDim);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnSelchangeCountryTab(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSelchangeFamilyTab(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSelchangeSubTypeTab(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnPaint();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnSetfocusList(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemchangedList(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    int CountryIndex() const;
    void SelectTable(int nCountry, int nFamily, int nSubType);
    void DeleteRecordset();
    int ChosenRow() const;

    bool m_bFilling = false;
    CSectionMapFrame m_preview;
};
