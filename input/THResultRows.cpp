#include <vyr/input/THResultRows.h>

#include <algorithm>
#include <cmath>

#include <vyr/model/record/TimeHistory.h>
#include <vyr/model/struct/Floor.h>
#include <vyr/model/struct/Struct.h>

float CTHResultRow::Get(THQuantity q, bool y, int i) const
{
    if (result != nullptr) {
        switch (q) {
        case TH_DISP: return y ? result->GetYDisp(i) : result->GetXDisp(i);
        case TH_DRIFT: return y ? result->GetYDeltaDisp(i) : result->GetXDeltaDisp(i);
        case TH_SHEAR: return y ? result->GetYShear(i) : result->GetXShear(i);
        case TH_MOMENT: return y ? result->GetYMoment(i) : result->GetXMoment(i);
        }
    } else if (list != nullptr) {
        switch (q) {
        case TH_DISP: return y ? list->GetYDisp(i) : list->GetXDisp(i);
        case TH_DRIFT: return y ? list->GetYDeltaDisp(i) : list->GetXDeltaDisp(i);
        case TH_SHEAR: return y ? list->GetYShear(i) : list->GetXShear(i);
        case TH_MOMENT: return y ? list->GetYMoment(i) : list->GetXMoment(i);
        }
    }
    return 0.0f;
}

float CTHResultRow::GetBaseShear(bool y) const
{
    if (result != nullptr)
        return y ? result->GetBaseYShear() : result->GetBaseXShear();
    if (list != nullptr)
        return y ? list->GetBaseYShear() : list->GetBaseXShear();
    return 0.0f;
}

bool CTHResultRow::GetDefine(bool y) const
{
    if (result != nullptr)
        return (y ? result->GetDefineY() : result->GetDefineX()) != 0.0f;
    if (list != nullptr)
        return (y ? list->GetDefineY() : list->GetDefineX()) != 0.0f;
    return false;
}

void CTHResultRow::SetDefine(bool y, bool on)
{
    if (result != nullptr)
        y ? result->SetDefineY(on) : result->SetDefineX(on);
    else if (list != nullptr)
        y ? list->SetDefineY(on) : list->SetDefineX(on);
}

float CTHResultRow::GetAmplify(bool y) const
{
    if (result != nullptr)
        return y ? result->GetAmplifyY() : result->GetAmplifyX();
    if (list != nullptr)
        return y ? list->GetAmplifyY() : list->GetAmplifyX();
    return 1.0f;
}

void CTHResultRow::SetAmplify(bool y, float factor)
{
    if (result != nullptr)
        y ? result->SetAmplifyY(factor) : result->SetAmplifyX(factor);
    else if (list != nullptr)
        y ? list->SetAmplifyY(factor) : list->SetAmplifyX(factor);
}

CTHResultRow VyrTHResultRow(CTimeAnalyResultList* list, int r)
{
    CTHResultRow row;
    if (list == nullptr || r < 0 || r > (int)list->GetCount())
        return row;
    row.list = list;
    if (r < (int)list->GetCount())
        row.result = list->Get(r + 1);
    return row;
}

int VyrTHEntryCount(const CTHResultRow& row)
{
    if (!row.IsValid() || row.list == nullptr)
        return 0;
    const int n = row.list->GetFloorNum();
    return row.result != nullptr ? std::min(n, row.result->GetFloorNum()) : n;
}

namespace {

const CFloor* EntryFloor(const CStruct* st, int i)
{
    if (st == nullptr || st->m_pFloorList == nullptr)
        return nullptr;
    return st->m_pFloorList->Get(i + 1);
}

} // namespace

double VyrTHEntryZ(const CStruct* st, int i)
{
    const CFloor* f = EntryFloor(st, i);
    return f != nullptr ? f->GetZ() : 0.0;
}

float VyrTHEntryH(const CStruct* st, int i)
{
    const CFloor* f = EntryFloor(st, i);
    return f != nullptr ? f->GetH() : 0.0f;
}

float VyrTHDriftAngle(float drift, float h) { return h != 0.0f ? drift / h : 0.0f; }

float VyrSpectrumBaseShear(const CStruct* st, bool y)
{
    if (st == nullptr || st->m_pFloorList == nullptr)
        return 0.0f;
    const int first = std::max(st->GetFirstFloorNo(), 1);
    const CFloor* f = st->m_pFloorList->Get(first + 1);
    if (f == nullptr)
        return 0.0f;
    const float* shears = y ? f->m_fSeismShearY : f->m_fSeismShearX;
    float largest = 0.0f;
    for (int k = 0; k < 12; ++k)
        largest = std::max(largest, std::fabs(shears[k]));
    return largest;
}

float VyrTHAmplifyFactor(bool average, float spectrum, float base)
{
    const float k = average ? 0.8f : 0.65f;
    if (k * spectrum - base > 0.001f && base > 0.001f)
        return k * spectrum / base;
    return 1.0f;
}

CString VyrTHDriftText(float angle)
{
    CString text;
    if (angle >= 0.00001f)
        text.Format("1/%.1f", 1.0 / (double)angle);
    else
        text.Format("%.3f", 0.0);
    return text;
}
