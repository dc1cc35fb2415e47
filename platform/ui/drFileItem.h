#pragma once

#include "platform/base/liString.h"
#include "platform/graph/snItem.h"

namespace Zv {

// A file a drag carries, by its path: files dropped from other programs reach the sink as these.
class DrFileItem : public SnItem {
public:
    explicit DrFileItem(LiString path) : _path(std::move(path)) {}

    const LiString& getPath() const { return _path; }
    bool isValid() const override { return true; }
    bool isEqual(const SnItem& other) const override {
        auto* file = dynamic_cast<const DrFileItem*>(&other);
        return file != nullptr && file->_path == _path;
    }
    void dump(std::ostream& out) const override { out << _path.str(); }

private:
    LiString _path;
};

} // namespace Zv
