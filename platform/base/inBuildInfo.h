#pragma once

#include "platform/base/liString.h"

namespace Zv {

// What a library tells about its build.
class InBuildInfo {
public:
    virtual ~InBuildInfo() = default;
    virtual LiString getTitle() const = 0;
    virtual LiString getLibraryName() const = 0;
    virtual LiString getReleaseYear() const = 0;
    virtual LiString getVersion() const = 0;
    virtual LiString getReleaseTag() const = 0;
    virtual int getMajorNumber() const = 0;
    virtual int getMinorNumber() const = 0;
    virtual int getReleaseKind() const = 0;
    virtual LiString getBuildNumber() const = 0;
    virtual LiString getBuildDate() const = 0;
    virtual LiString getBuildFlavour() const = 0;
};

} // namespace Zv
