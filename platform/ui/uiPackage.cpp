#include "platform/ui/uiPackage.h"

#include "platform/base/inBasePackage.h"
#include "platform/base/inOrderingPackage.h"
#include "platform/graph/piGraphPackage.h"

namespace Zv {
namespace {

InOrderingPackage<ZvInit::ui> gPackage("ui", {InInit<ZvInit::base>::getType(), InInit<ZvInit::graph>::getType()});

} // namespace
} // namespace Zv
