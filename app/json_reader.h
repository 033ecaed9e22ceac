// Typed reads of scene-file values that name their place in the file when they fail.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "host/geom.h"

class JsonPlace {
public:
    JsonPlace(const nlohmann::json& value, std::string path) : value_(value), path_(std::move(path)) {}

    const nlohmann::json& Value() const { return value_; }
    const std::string& Path() const { return path_; }
    [[noreturn]] void Fail(const std::string& what) const;

    bool Has(const char* key) const;
    JsonPlace operator[](const char* key) const;
    JsonPlace Item(std::size_t index) const;
    std::size_t Size() const;

    void ExpectObject() const;
    void ExpectObject(std::initializer_list<const char*> allowedKeys) const;
    void ExpectArray() const;
    double Number() const;
    double FiniteNumber() const;
    int Integer() const;
    bool Boolean() const;
    std::string String() const;
    Point3 Vector3() const;

private:
    const nlohmann::json& value_;
    std::string path_;
};
