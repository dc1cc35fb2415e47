#pragma once

#include "platform/base/rcStrongPtr.h"
#include "platform/ui/drCarrier.h"

namespace Zv {

class UiBackend;

// The clipboard: the carrier's text goes to the system clipboard, so other programs and other
// instances can paste it; its items stay in the process.
class DrClipboard {
public:
    explicit DrClipboard(UiBackend& backend) : _backend(backend) {}

    void setContent(const RCShdPtr<DrCarrier>& carrier);
    // The carrier set last while the system clipboard still holds its text; otherwise a carrier of
    // the text something else put there; null when the system clipboard holds no text.
    RCShdPtr<DrCarrier> getContent() const;
    bool hasContent() const;

private:
    UiBackend& _backend;
    RCShdPtr<DrCarrier> _content;
};

} // namespace Zv
