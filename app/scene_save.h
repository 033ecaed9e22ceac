// Saved scenes: the scene file a scene was built from, then what each node's object saves of
// its own (a vehicle's recorded motion), node by node, parents before children, in the host's
// chunks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

class ClassDirectory;
class Interface;

std::vector<std::uint8_t> SaveScene(const nlohmann::json& scene, Interface* ip);
// Builds the scene again, without pressing its "trace" and "reset", and hands every object what
// it saved. On any problem, an entry that cannot be read included, it throws SceneError naming
// the nodes (a vehicle's motion, another node's data), and the scene is left empty.
nlohmann::json LoadSavedScene(const std::uint8_t* data, std::size_t size, const ClassDirectory& classes,
                              Interface* ip);
// A saved scene or a scene file, told apart by their first bytes; returns the scene file read.
nlohmann::json LoadAnySceneFile(const std::string& path, const ClassDirectory& classes, Interface* ip);
