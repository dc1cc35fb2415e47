#pragma once

#include <set>

namespace Zv {

class ScGraph;
class SnSelection;
class SvSceneBuilder;

// Mirrors the selection between the model and the scene: the model's selected nodes, visual groups and
// inputs select the scene's nodes, group boxes and edges, and the scene's selected nodes become the
// model's selection.
class SvSelectionMirror {
public:
    SvSelectionMirror(const SvSceneBuilder& built, ScGraph& scene);

    // Selects (or with select false only collects) the scene objects the selection names.
    void applyToScene(const SnSelection& selection, bool select, std::set<int>* collected = nullptr) const;
    void applyToModel(SnSelection& selection) const;
    // The ids of the selected scene nodes and of the visual groups whose boxes are selected.
    std::set<int> getSceneSelection() const;

private:
    const SvSceneBuilder& _built;
    ScGraph& _scene;
};

} // namespace Zv
