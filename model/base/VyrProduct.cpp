#include <vyr/model/base/VyrProduct.h>

CVyrProduct::~CVyrProduct() = default;

CVyrProduct& CVyrProduct::Inst()
{
    static CVyrProduct inst(3, UlBRX);
    return inst;
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
