// The wind reference of a building: what the wind load code derives from its height, width,
// basic pressure, first period and terrain, given to the comfort check as three factors at
// the top (height factor mu z, fluctuation increase factor xi, fluctuation influence factor
// nu).
//
// The object records what it is given; the factors come from a rule that may be replaced
// (SetRule). The default rule, a plain approximation of the load code's tables:
//   z   = max(top - ground elevation, 5) m
//   mu z = k (z / 10)^(2 a), with (k, a) = (1.379, 0.12), (1.0, 0.16), (0.616, 0.22),
//          (0.318, 0.30) for roughness A to D (other categories as B)
//   xi  = 1 + 0.6 x / (1 + x), x = w0 T1^2 (kN s2/m2; 0 for a negative x)
//   nu  = 0.35 + 0.05 H / B, kept within 0.35 to 0.9 (H the height above ground, B the mean
//         width; 0.35 without a width)
#pragma once

#include <functional>

class CLoadWindRefer
{
public:
    CLoadWindRefer();
    ~CLoadWindRefer();
    CLoadWindRefer(const CLoadWindRefer&) = delete;
    CLoadWindRefer& operator=(const CLoadWindRefer&) = delete;

    // heightAboveGround and meanWidth in m, w0 in kN/m2, period1 in s, roughness 0 to 3 for
    // A to D, groundZ the ground elevation in m; shapeKind and scale are kept as given.
    void InitWindRefer(float heightAboveGround, float meanWidth, float w0, float period1, int shapeKind,
                       int roughness, float groundZ, float scale);
    // The factors at the top elevation (m) for the shape factor muS.
    void GetCoef(double top, float muS, double& muZ, double& xi, double& nu) const;

    // What the rule is given: the recorded values, the top elevation and the shape factor.
    using Rule = std::function<void(const CLoadWindRefer& refer, double top, float muS, double& muZ, double& xi,
                                    double& nu)>;
    // Replaces the rule of every object (null: the default rule again). Set it before the
    // objects are used; it is not guarded against a rule changed while another thread asks.
    static void SetRule(Rule rule);
    static void DefaultRule(const CLoadWindRefer& refer, double top, float muS, double& muZ, double& xi, double& nu);

    float m_fHeight = 0.0f;
    float m_fWidth = 0.0f;
    float m_fW0 = 0.0f;
    float m_fPeriod1 = 0.0f;
    int m_nShapeKind = 0;
    int m_nRoughness = 1;
    float m_fGroundZ = 0.0f;
    float m_fScale = 1.0f;
};
