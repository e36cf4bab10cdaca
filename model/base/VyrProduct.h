// Edition queries of the common library. This build is one fixed edition: the spatial
// edition with the general dialog templates (neither the Kel 3-D nor the Dov 2-D variant)
// and the customer extension (IsUl_BRX), so that every template and projection of the 3-D
// product is reachable and the property query offers every object kind.
#pragma once

#include <vyr/stdafx.h>

class CVyrProduct
{
public:
    static CVyrProduct& Inst();

    CVyrProduct(const CVyrProduct&) = default;
    CVyrProduct& operator=(const CVyrProduct&) = default;
    virtual ~CVyrProduct();

    int Is2D() const { return m_dim == 2; }
    int Is3D() const { return m_dim == 3; }
    int IsDov2D() const { return m_variant == Dov2D; }
    int IsKel3D() const { return m_variant == Kel3D; }
    int IsUl_BRX() const { return m_variant == UlBRX; }

    // The variants of an edition: the general templates, the Dov 2-D and Kel 3-D templates,
    // and the customer extension.
    enum Variant { General = 0, Dov2D = 1, Kel3D = 2, UlBRX = 3 };

    // Plays another edition, for tests and the sample host: dim 2 or 3, with or without the
    // customer extension (without it, the general templates). SetEdition(3, true) is this
    // build's own.
    static void SetEdition(int dim, bool ulBRX);
    // The same with any variant, so the Kel 3-D and Dov 2-D templates can be played.
    static void SetEdition(int dim, Variant variant);
    // Back to the edition the library ships as.
    static void SetOwnEdition();

    // Plays an edition for the guard's lifetime; the build's own edition comes back when it
    // goes, however the scope is left.
    class CEditionScope
    {
    public:
        CEditionScope(int dim, Variant variant) { SetEdition(dim, variant); }
        ~CEditionScope() { SetOwnEdition(); }
        CEditionScope(const CEditionScope&) = delete;
        CEditionScope& operator=(const CEditionScope&) = delete;
    };

private:
    CVyrProduct(int dim, int variant) : m_dim(dim), m_variant(variant) {}

    std::int32_t m_dim;
    std::int32_t m_variant;
};
