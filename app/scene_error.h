// A problem in a scene file, with the place in the file where it was found.
#pragma once

#include <stdexcept>
#include <string>

class SceneError : public std::runtime_error {
public:
    SceneError(const std::string& where, const std::string& what) : std::runtime_error(where + ": " + what) {}
};
