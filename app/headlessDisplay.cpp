#include "app/headlessDisplay.h"

#include <cstdio>

namespace Zv {

void HeadlessDisplay::showWarning(const LiString& message) {
    std::fprintf(stderr, "warning: %s\n", message.c_str());
}

} // namespace Zv
