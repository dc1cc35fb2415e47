#pragma once

#include "platform/ui/msgMessage.h"

namespace Zv {

class MsgWarning : public MsgMessage {
public:
    explicit MsgWarning(LiString text) : MsgMessage(MsgSeverity::Warning, std::move(text)) {}
};

} // namespace Zv
