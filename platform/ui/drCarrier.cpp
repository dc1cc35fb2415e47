#include "platform/ui/drCarrier.h"

#include "platform/graph/snItem.h"

namespace Zv {

DrCarrier::DrCarrier() = default;

DrCarrier::~DrCarrier() = default;

RCShdPtr<DrCarrier> DrCarrier::create() {
    return RCShdPtr<DrCarrier>(new DrCarrier());
}

} // namespace Zv
