// Sizes beyond which a scene file is refused, so that no file can exhaust the stack or memory.
#pragma once

#include <cstddef>

// Brackets nested in the file's text.
constexpr int kMaxJsonDepth = 256;
// Nodes nested below the scene's root (scene walks recurse once per level).
constexpr int kMaxNodeDepth = 100;
// Points of all shapes in the scene, as their polylines at their own steps.
constexpr std::size_t kMaxShapePoints = 250'000;
// Triangles of all ground meshes in the scene: far more ground than a run needs.
constexpr std::size_t kMaxMeshTriangles = 4'000'000;
// Points in the picture of one frame.
constexpr std::size_t kMaxPicturePoints = 2'500'000;
// Nodes that a scene file's copying may bring the scene to.
constexpr std::size_t kMaxActionNodes = 100'000;
// A scene file's own traces: frames of one trace, and frames times vehicles.
constexpr int kMaxActionFrames = 10'000;
constexpr double kMaxActionSteps = 1'000'000.0;
