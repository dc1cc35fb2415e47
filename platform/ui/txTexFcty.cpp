#include "platform/ui/txTexFcty.h"

namespace Zv {
namespace {

// Starts at 1 so that a texture's 0 means "no GL name yet".
unsigned& contextGeneration() {
    static unsigned value = 1;
    return value;
}

} // namespace

RCShdPtr<TxTexture> TxTexFcty::createTexture(GLint internalFormat, GLint wrap, GLint filter) {
    return RCShdPtr<TxTexture>(new TxTexture(internalFormat, wrap, filter));
}

void TxTexFcty::resetContext() {
    ++contextGeneration();
}

unsigned TxTexFcty::getContextGeneration() {
    return contextGeneration();
}

} // namespace Zv
