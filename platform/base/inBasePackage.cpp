#include "platform/base/inBasePackage.h"

#include "platform/base/inOrderingPackage.h"

namespace Zv {
namespace {

InOrderingPackage<ZvInit::base> gPackage("base", {});

} // namespace
} // namespace Zv
