#pragma once

#include "platform/base/liString.h"

namespace Zv {

// How serious a message for the user is.
enum class MsgSeverity : int {
    Warning = 1, // something was skipped or replaced by a default; work goes on
    Error = 2,   // something the user asked for failed
};

// A message for the user. display() hands it to the application's backend (a window shows it, a
// headless session collects it); without an application it goes to standard error.
class MsgMessage {
public:
    MsgMessage(MsgSeverity severity, LiString text) : _severity(severity), _text(std::move(text)) {}

    MsgSeverity getSeverity() const { return _severity; }
    const LiString& getText() const { return _text; }
    void display() const;

private:
    MsgSeverity _severity;
    LiString _text;
};

} // namespace Zv
