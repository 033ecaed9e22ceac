// Builds the host's scene from a scene file, as a user would draw it.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

class ClassDirectory;
class Interface;

// Reads and checks the whole file, then builds the scene and returns the file's contents: on any
// problem it throws SceneError naming the place in the file, and the scene is left empty.
nlohmann::json LoadSceneFile(const std::string& path, const ClassDirectory& classes, Interface* ip);
void LoadScene(const nlohmann::json& scene, const ClassDirectory& classes, Interface* ip);
