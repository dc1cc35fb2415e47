#pragma once

#include "platform/ui/msgMessage.h"

namespace Zv {

class MsgError : public MsgMessage {
public:
    explicit MsgError(LiString text) : MsgMessage(MsgSeverity::Error, std::move(text)) {}
};

} // namespace Zv
