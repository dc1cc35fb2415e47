#include "platform/ui/ixTile.h"

namespace Zv {

const IxTile IxTile::INVALID_TILE;

} // namespace Zv
