#include <vyr/libraries/DaoText.h>

void VyrFieldToText(const COleVariant& var, CString& text)
{
    switch (var.vt) {
    case VT_NULL: text = "----"; break;
    case VT_I2: text.Format("%d", (int)var.iVal); break;
    case VT_I4: text.Format("%d", (int)var.lVal); break;
    case VT_R4: text.Format("%10.2f", (double)var.fltVal); break;
    case VT_R8: text.Format("%10.2f", var.dblVal); break;
    case VT_CY: text = COleCurrency(var.cyVal).Format(); break;
    case VT_DATE: text = COleDateTime(var.date).Format(); break;
    case VT_BSTR: text = var.bstrVal != nullptr ? var.bstrVal : ""; break;
    case VT_BOOL: text = var.boolVal != VARIANT_FALSE ? "TRUE" : "FALSE"; break;
    default: text.Format("Unk type %d\n", (int)var.vt); break;
    }
    text.Trim();
}
