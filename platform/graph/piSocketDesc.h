#pragma once

#include "platform/base/liString.h"

namespace Zv {

// What a socket is: name, socket type index and channel layout. Shared by every socket made from it.
struct PiSocketDesc {
    // Parameter types (numbers, text, colours, matrices, curves) are below Image; the view hides them.
    enum Type {
        Number = 0,
        Integer = 1,
        Text = 2,
        Color = 3,
        Matrix = 4,
        Curve = 6,
        Point = 11,
        Flag = 13,
        Image = 20,
        Mask = 21
    };
    static constexpr Type kParameterTypes[] = {Number, Integer, Text, Color, Matrix, Curve, Point, Flag};
    // Channel layouts: an output's result, or what an input expects (Any takes whatever comes).
    enum Channels { Any = 0, Alpha = 1, RGB = 3, RGBA = 4 };

    LiString name;
    int typeIndex = Image;
    int channels = RGBA;
    bool multivalued = false;
};

} // namespace Zv
