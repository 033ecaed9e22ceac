// A scene file's text and its parsing; errors name the file and the line and column.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

// The file's bytes; throws SceneError saying why it cannot be read.
std::string ReadSceneText(const std::string& path);
// Parses the text, refusing nesting deeper than kMaxJsonDepth and numbers beyond a double.
nlohmann::json ParseSceneText(const std::string& text, const std::string& name);
