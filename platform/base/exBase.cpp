#include "platform/base/exBase.h"

#include <utility>

namespace Zv {

ExBase::ExBase(const char* file, int line, std::string message)
    : _file(file ? file : ""), _line(line), _message(std::move(message)) {}

std::string ExBase::describe() const {
    return _file + ":" + std::to_string(_line) + ": " + _message;
}

ExAssertionFailed::ExAssertionFailed(const char* file, int line, std::string expression)
    : ExBase(file, line, std::move(expression)) {}

} // namespace Zv
