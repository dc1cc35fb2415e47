#pragma once

#include "platform/base/inBuildInfo.h"

#include <memory>

namespace Zv {

// The build records libraries publish, kept until the program ends.
class InBuildInfoUtil {
public:
    static void registerInfo(std::unique_ptr<InBuildInfo> info);
    static size_t getNbInfos();
    static const InBuildInfo& getInfo(size_t index);
    // The record of a library, or null.
    static const InBuildInfo* findInfo(const LiString& libraryName);
};

} // namespace Zv
