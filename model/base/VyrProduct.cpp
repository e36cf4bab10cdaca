#include <vyr/model/base/VyrProduct.h>

CVyrProduct::~CVyrProduct() = default;

namespace {
constexpr int kOwnDim = 3;
constexpr CVyrProduct::Variant kOwnVariant = CVyrProduct::UlBRX;
} // namespace

CVyrProduct& CVyrProduct::Inst()
{
    static CVyrProduct inst(kOwnDim, kOwnVariant);
    return inst;
}

void CVyrProduct::SetOwnEdition()
{
    SetEdition(kOwnDim, kOwnVariant);
}

void CVyrProduct::SetEdition(int dim, bool ulBRX)
{
    CVyrProduct& p = Inst();
    p.m_dim = dim == 2 ? 2 : 3;
    p.m_variant = ulBRX ? UlBRX : General;
}

void CVyrProduct::SetEdition(int dim, Variant variant)
{
    CVyrProduct& p = Inst();
    p.m_dim = dim == 2 ? 2 : 3;
    p.m_variant = variant;
}
