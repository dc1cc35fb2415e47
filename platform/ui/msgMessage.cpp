#include "platform/ui/msgMessage.h"

#include "platform/ui/uiApplication.h"
#include "platform/ui/uiBackend.h"

#include <cstdio>

namespace Zv {

void MsgMessage::display() const {
    if (UiApplication::exists()) {
        UiApplication::getInstance().getBackend().showMessage(_severity, _text);
        return;
    }
    std::fprintf(stderr, "%s: %s\n", _severity == MsgSeverity::Error ? "error" : "warning", _text.c_str());
}

} // namespace Zv
