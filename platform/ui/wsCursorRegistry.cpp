#include "platform/ui/wsCursorRegistry.h"

#include <array>

namespace Zv {

RCShdPtr<WsCursor> WsCursorRegistry::getCursor(const LiString& name) {
    // Built once; cursors are immutable, so they are shared by every thread and application.
    static const std::array<RCShdPtr<WsCursor>, 5> cursors{makeRC<WsCursor>(Default), makeRC<WsCursor>(Pan),
                                                           makeRC<WsCursor>(Scissor), makeRC<WsCursor>(Recycle),
                                                           makeRC<WsCursor>(Zoom)};
    for (const auto& cursor : cursors)
        if (cursor->getName() == name) return cursor;
    return {};
}

} // namespace Zv
