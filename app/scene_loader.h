// Builds the host's scene from a scene file, as a user would draw it.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

class ClassDirectory;
class Interface;

// Reads and checks the whole file, then builds the scene: on any problem it throws SceneError
// naming the file and the place in it, and the scene is left empty.
void LoadSceneFile(const std::string& path, const ClassDirectory& classes, Interface* ip);
// The same for a file's text, which it returns parsed; name stands for the file in messages.
// Without pressButtons the actions' "trace" and "reset" are read but not pressed.
nlohmann::json LoadSceneText(const std::string& text, const std::string& name, const ClassDirectory& classes,
                             Interface* ip, bool pressButtons = true);
void LoadScene(const nlohmann::json& scene, const ClassDirectory& classes, Interface* ip, bool pressButtons = true);
