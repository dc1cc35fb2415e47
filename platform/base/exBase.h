#pragma once

#include <exception>
#include <string>

namespace Zv {

// Base of every exception of the system: where it was raised and why.
class ExBase : public std::exception {
public:
    ExBase(const char* file, int line, std::string message);

    const std::string& getFile() const { return _file; }
    int getLine() const { return _line; }
    const std::string& getMessage() const { return _message; }
    const char* what() const noexcept override { return _message.c_str(); }

    // "file:line: message", for reports to the user.
    std::string describe() const;

private:
    std::string _file;
    int _line;
    std::string _message;
};

// A violated precondition; carries the condition text exactly as written in the source.
class ExAssertionFailed : public ExBase {
public:
    ExAssertionFailed(const char* file, int line, std::string expression);
    const std::string& getExpression() const { return getMessage(); }
};

// A case that cannot happen in a sound program.
class ExProgramAborted : public ExBase {
public:
    using ExBase::ExBase;
};

// Dereference of a null handle; the message names the pointee's type.
class ExNullPtr : public ExBase {
public:
    using ExBase::ExBase;
};

// A checked cast to a type the object does not have.
class ExBadCast : public ExBase {
public:
    using ExBase::ExBase;
};

// Malformed input (files, descriptions, clipboard text): the message names where and why.
class ExBadInput : public ExBase {
public:
    using ExBase::ExBase;
};

} // namespace Zv
