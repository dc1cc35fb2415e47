#include "platform/base/inBuildInfoUtil.h"

#include "platform/base/assertions.h"

#include <vector>

namespace Zv {
namespace {

std::vector<std::unique_ptr<InBuildInfo>>& infos() {
    static std::vector<std::unique_ptr<InBuildInfo>> value;
    return value;
}

} // namespace

void InBuildInfoUtil::registerInfo(std::unique_ptr<InBuildInfo> info) {
    ZV_ASSERT(info != nullptr);
    infos().push_back(std::move(info));
}

size_t InBuildInfoUtil::getNbInfos() {
    return infos().size();
}

const InBuildInfo& InBuildInfoUtil::getInfo(size_t index) {
    ZV_ASSERT(index < infos().size());
    return *infos()[index];
}

const InBuildInfo* InBuildInfoUtil::findInfo(const LiString& libraryName) {
    for (const auto& info : infos())
        if (info->getLibraryName() == libraryName) return info.get();
    return nullptr;
}

} // namespace Zv
