#pragma once

#include "platform/base/liString.h"
#include "platform/base/obHint.h"

namespace Zv {

// A user setting changed; an empty key means every setting may have (a file was read).
class StgUserSettingsHint : public ObHint {
public:
    explicit StgUserSettingsHint(LiString key) : _key(std::move(key)) {}
    const LiString& getKey() const { return _key; }

private:
    LiString _key;
};

} // namespace Zv
