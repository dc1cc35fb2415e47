#include "platform/graph/piGraphPackage.h"

#include "platform/base/inBasePackage.h"
#include "platform/base/inOrderingPackage.h"

namespace Zv {
namespace {

InOrderingPackage<ZvInit::graph> gPackage("graph", {InInit<ZvInit::base>::getType()});

} // namespace
} // namespace Zv
