#pragma once

#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/ui/ixTile.h"

namespace Zv {

// A named picture shared by whoever shows it (icons, placeholders).
class WsManagedImage : public RCBase {
public:
    WsManagedImage(LiString name, IxTile tile) : _name(std::move(name)), _tile(std::move(tile)) {}

    const LiString& getName() const { return _name; }
    const IxTile& getImage() const { return _tile; }

    // Stands in for a picture that could not be read: a grey square crossed in red, one per process.
    static RCShdPtr<WsManagedImage> getUnavailableImage();

private:
    LiString _name;
    IxTile _tile;
};

} // namespace Zv
