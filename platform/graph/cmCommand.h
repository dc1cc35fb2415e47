#pragma once

#include "platform/base/liString.h"
#include "platform/base/rcBase.h"

#include <ostream>

namespace Zv {

// An undoable step: the do and undo steps, run timed by execute and unexecute.
class CmCommand : public RCBase {
public:
    ~CmCommand() override = default;
    // The text shown in the undo list.
    virtual LiString getName() const = 0;
    // Seconds the last execute and unexecute took.
    virtual double getExecutionTime() const { return _executionTime; }
    virtual double getUnexecutionTime() const { return _unexecutionTime; }
    virtual void dump(std::ostream& out) const;
    virtual void doIt() = 0;
    virtual void undoIt() = 0;
    virtual void execute();
    virtual void unexecute();

private:
    double _executionTime = 0;
    double _unexecutionTime = 0;
};

} // namespace Zv
