// The properties of one section as text beside its drawing. Opened on a double click of
// a section row of the section panel or the project section library (a tapered section
// shows its start plate set).
#pragma once

#include <vyr/stdafx.h>
#include <vyr/protocol/DlgWithObject.h>
#include <vyr/libraries/SectionMap.h>

class CSectionBase;

using CDlgSecPropertyBase = CDlgWithObject<CSectionBase*>;

class CDlgSecProperty : public CDlgSecPropertyBase
{
public:
    explicit CDlgSecProperty(CWnd* pParent = nullptr);

    // Builds the property text and shows it in the text field.
    void OutputProperty();
    // Draws the section, its axes and dimensions into the frame.
    void OnDrawMap();

    // The property text of a section: name, area, second moments, moduli and radii of
    // gyration (the axis-2 values unless both I2 and W2 are 0), E of hybrid and
    // steel-frame sections, material and weight per metre.
    static CString PropertyText(CSectionBase* pSec);

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CSectionMapFrame m_map;
};
