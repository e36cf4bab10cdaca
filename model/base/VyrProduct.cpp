#include <vyr/model/base/VyrProduct.h>

CVyrProduct::~CVyrProduct() = default;

CVyrProduct& CVyrProduct::Inst()
{
    static CVyrProduct inst(3, UlBRX);
    return inst;
}
