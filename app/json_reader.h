// Typed reads of scene-file values that name their place in the file when they fail.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "host/geom.h"

// A value and the way to it from the file's root. The path is spelled out only for an error
// message, so deep files cost no memory per level; a place must not outlive its parent.
class JsonPlace {
public:
    JsonPlace(const nlohmann::json& value, std::string_view root) : value_(value), key_(root) {}
    // The same place as `at`, holding another value (an edited copy of it).
    JsonPlace(const nlohmann::json& value, const JsonPlace& at) : value_(value), parent_(&at), kind_(Kind::Alias) {}

    const nlohmann::json& Value() const { return value_; }
    std::string Path() const;
    [[noreturn]] void Fail(const std::string& what) const;

    bool Has(const char* key) const;
    JsonPlace operator[](const char* key) const;
    // A member whose key lives in the document.
    JsonPlace Member(std::string_view key, const nlohmann::json& value) const;
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
    enum class Kind { Root, Member, Item, Alias };
    JsonPlace(const nlohmann::json& value, const JsonPlace* parent, Kind kind, std::string_view key, std::size_t index)
        : value_(value), parent_(parent), kind_(kind), key_(key), index_(index) {}

    const nlohmann::json& value_;
    const JsonPlace* parent_ = nullptr;
    Kind kind_ = Kind::Root;
    std::string_view key_;  // the root's name or the key in the parent object
    std::size_t index_ = 0;
};
