#pragma once

#include "platform/graph/piGraph.h"

#include <string>

namespace Zv {

// Composition files: XML, described in docs/composition-format.md.
class PiCompositionFile {
public:
    static constexpr int kVersion = 1;

    // Replaces the graph's content with the text's, as one hint batch, and empties its undo stack.
    // Any fault raises one ExBadInput naming the source, the line and the reason; the graph is then unchanged.
    static void loadText(const RCStrongPtr<PiGraph>& graph, const std::string& text, const LiString& source);
    static void load(const RCStrongPtr<PiGraph>& graph, const std::string& path);
    static RCStrongPtr<PiGraph> load(const std::string& path);

    static std::string saveText(const PiGraph& graph);
    // Writes a temporary file beside path, then renames it over path.
    static void save(const PiGraph& graph, const std::string& path);
};

} // namespace Zv
