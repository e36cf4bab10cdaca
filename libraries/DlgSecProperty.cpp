#include <vyr/libraries/DlgSecProperty.h>

#include <vyr/model/section/section.h>
#include <vyr/resources/dialogs/SecPropertyRes.h>

BEGIN_MESSAGE_MAP(CDlgSecProperty, CDlgSecPropertyBase)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CDlgSecProperty::CDlgSecProperty(CWnd* pParent) : CDlgSecPropertyBase(IDD_SECPROPERTY, pParent) {}

namespace {

// The material text of the section lists: sections of codes 700 to 799 join their steel
// part's text and their own.
CString MaterialText(CSectionBase* pSec)
{
    CString own = pSec->GetStrMatType();
    const int type = pSec->GetType();
    if (type >= 700 && type <= 799) {
        auto* hybrid = dynamic_cast<CHybridSecBase*>(pSec);
        if (hybrid != nullptr && hybrid->GetSteelSec() != nullptr)
            return hybrid->GetSteelSec()->GetStrMatType() + "+" + own;
    }
    return own;
}

} // namespace

CString CDlgSecProperty::PropertyText(CSectionBase* pSec)
{
    CString name = pSec->GetSimpleSecName();
    name.TrimRight();
    const double A = pSec->GetA1(), I3 = pSec->GetI33(), W3 = pSec->GetWx(), i3 = pSec->Getix();
    const double I2 = pSec->GetI22(), W2 = pSec->GetWy(), i2 = pSec->Getiy();
    const bool longForm = !(W2 == 0.0 && I2 == 0.0);

    const CString& category = pSec->m_strCategory;
    const char* fmtShort = "%-20s\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f";
    const char* fmtLong = "%-20s\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f";
    if (category == "单肢1") {
        fmtShort = "单肢1:%-20s\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f";
        fmtLong = "单肢1:%-20s\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f";
    } else if (category == "单肢2") {
        fmtShort = "单肢2:%-20s\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f";
        fmtLong = "单肢2:%-20s\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f\n%7s%-12.2f";
    }

    CString text;
    if (longForm)
        text.Format(fmtLong, (LPCTSTR)name, "A(cm2)=", A, "I3(cm4)=", I3, "W3(cm3)=", W3, "i3(cm)=", i3, "I2(cm4)=",
                    I2, "W2(cm3)=", W2, "i2(cm)=", i2);
    else
        text.Format(fmtShort, (LPCTSTR)name, "A(cm2)=", A, "I3(cm4)=", I3, "W3(cm3)=", W3, "i3(cm)=", i3);
    if (category == "混合" || category == "钢骨")
        text.AppendFormat("\n%7s%-12.2f\n", "E(kN/cm2)=", (double)pSec->GetE());
    text.AppendFormat("\n\n截面材料:%s", (LPCTSTR)MaterialText(pSec));
    text.AppendFormat("\n截面重量:%.2fkg/m", (double)(pSec->GetMass() * 100.0f));
    return text;
}

BOOL CDlgSecProperty::OnInitDialog()
{
    CDlgSecPropertyBase::OnInitDialog();
    m_map.SubclassDlgItem(IDC_SECPROP_MAP, this);
    m_map.m_paint = [this](CDC* pDC, CRect rc) { DrawSectionMap(pDC, rc, m_pObject, true); };
    OutputProperty();
    OnDrawMap();
    return TRUE;
}

void CDlgSecProperty::OutputProperty()
{
    if (m_pObject == nullptr) return;
    SetDlgItemText(IDC_SECPROP_TEXT, PropertyText(m_pObject));
}

void CDlgSecProperty::OnDrawMap()
{
    CWnd* frame = GetDlgItem(IDC_SECPROP_MAP);
    if (frame == nullptr || m_pObject == nullptr) return;
    frame->Invalidate();
    frame->UpdateWindow();
    CDC* pDC = frame->GetDC();
    CRect rc;
    frame->GetClientRect(&rc);
    DrawSectionMap(pDC, rc, m_pObject, true);
    frame->ReleaseDC(pDC);
}

void CDlgSecProperty::OnPaint()
{
    CPaintDC dc(this);
    if (m_pObject != nullptr) OnDrawMap();
}
