#pragma once

namespace Zv {

// Events of one node that its controller reports.
enum class PiNodeEvent {
    // A secondary input's source changed, so whether it must convert its image may have changed.
    ConversionChanged
};

} // namespace Zv
