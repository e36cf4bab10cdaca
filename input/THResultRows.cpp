#include <vyr/input/THResultRows.h>

#include <algorithm>
#include <cmath>

#include <vyr/model/record/TimeHistory.h>
#include <vyr/model/struct/Floor.h>
#include <vyr/model/struct/Struct.h>

namespace {

// Calls fn with the row's object: the case result, or the list as the average; the value
// given for no row otherwise. Both classes have the same accessors.
template <class Fn, class T>
T OnRow(const CTHResultRow& row, Fn fn, T none)
{
    if (row.result != nullptr)
        return fn(*row.result);
    if (row.list != nullptr)
        return fn(*row.list);
    return none;
}

} // namespace

float CTHResultRow::Get(THQuantity q, bool y, int i) const
{
    return OnRow(*this, [&](auto& o) {
        switch (q) {
        case TH_DISP: return y ? o.GetYDisp(i) : o.GetXDisp(i);
        case TH_DRIFT: return y ? o.GetYDeltaDisp(i) : o.GetXDeltaDisp(i);
        case TH_SHEAR: return y ? o.GetYShear(i) : o.GetXShear(i);
        case TH_MOMENT: return y ? o.GetYMoment(i) : o.GetXMoment(i);
        }
        return 0.0f;
    }, 0.0f);
}

float CTHResultRow::GetBaseShear(bool y) const
{
    return OnRow(*this, [&](auto& o) { return y ? o.GetBaseYShear() : o.GetBaseXShear(); }, 0.0f);
}

bool CTHResultRow::GetDefine(bool y) const
{
    return OnRow(*this, [&](auto& o) { return (y ? o.GetDefineY() : o.GetDefineX()) != 0.0f; }, false);
}

void CTHResultRow::SetDefine(bool y, bool on)
{
    OnRow(*this, [&](auto& o) {
        y ? o.SetDefineY(on) : o.SetDefineX(on);
        return true;
    }, false);
}

float CTHResultRow::GetAmplify(bool y) const
{
    return OnRow(*this, [&](auto& o) { return y ? o.GetAmplifyY() : o.GetAmplifyX(); }, 1.0f);
}

void CTHResultRow::SetAmplify(bool y, float factor)
{
    OnRow(*this, [&](auto& o) {
        y ? o.SetAmplifyY(factor) : o.SetAmplifyX(factor);
        return true;
    }, false);
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
