#pragma once

#include "platform/base/inInit.h"

namespace Zv {
namespace ZvInit {
// Package tag of the schematic view module.
struct schematicZvview {};
} // namespace ZvInit

// The module's package record, registered when the module is loaded: it starts after the platform
// packages it builds on, sets up the module's statics in a fixed order (actions, view factory
// "Schematic", resource table, singletons) and takes them down in reverse.
class SchematicZvviewInit : public InInit<ZvInit::schematicZvview> {
public:
    static constexpr const char* PackageName = "schematicZvview";
    static constexpr const char* ViewFactoryName = "Schematic";

    // The module's one record.
    static SchematicZvviewInit& getPackage();

    void startUp() override;
    void shutDown() override;
    // The host's flag is kept; nothing in the module depends on it.
    void setFlag(bool flag) override { _flag = flag; }
    bool getFlag() const { return _flag; }

private:
    SchematicZvviewInit();

    bool _flag = false;
};

} // namespace Zv
