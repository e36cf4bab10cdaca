#include <vyr/model/struct/LoadWindRefer.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

CLoadWindRefer::Rule& CurrentRule()
{
    static CLoadWindRefer::Rule rule;
    return rule;
}

} // namespace

CLoadWindRefer::CLoadWindRefer() = default;
CLoadWindRefer::~CLoadWindRefer() = default;

void CLoadWindRefer::InitWindRefer(float heightAboveGround, float meanWidth, float w0, float period1, int shapeKind,
                                   int roughness, float groundZ, float scale)
{
    m_fHeight = heightAboveGround;
    m_fWidth = meanWidth;
    m_fW0 = w0;
    m_fPeriod1 = period1;
    m_nShapeKind = shapeKind;
    m_nRoughness = roughness;
    m_fGroundZ = groundZ;
    m_fScale = scale;
}

void CLoadWindRefer::GetCoef(double top, float muS, double& muZ, double& xi, double& nu) const
{
    if (const Rule& rule = CurrentRule())
        rule(*this, top, muS, muZ, xi, nu);
    else
        DefaultRule(*this, top, muS, muZ, xi, nu);
}

void CLoadWindRefer::SetRule(Rule rule)
{
    CurrentRule() = std::move(rule);
}

void CLoadWindRefer::DefaultRule(const CLoadWindRefer& refer, double top, float, double& muZ, double& xi, double& nu)
{
    static const double kTerrain[4][2] = {{1.379, 0.12}, {1.0, 0.16}, {0.616, 0.22}, {0.318, 0.30}};
    const int r = refer.m_nRoughness >= 0 && refer.m_nRoughness <= 3 ? refer.m_nRoughness : 1;
    const double z = std::max(top - (double)refer.m_fGroundZ, 5.0);
    muZ = kTerrain[r][0] * std::pow(z / 10.0, 2.0 * kTerrain[r][1]);
    const double x = std::max(0.0, (double)refer.m_fW0 * refer.m_fPeriod1 * refer.m_fPeriod1);
    xi = 1.0 + 0.6 * x / (1.0 + x);
    const double ratio = refer.m_fWidth > 0.0f ? (double)refer.m_fHeight / refer.m_fWidth : 0.0;
    nu = std::clamp(0.35 + 0.05 * ratio, 0.35, 0.9);
}
