#include "app/json_reader.h"

#include <cmath>
#include <limits>

#include "app/scene_error.h"

std::string JsonPlace::Path() const {
    switch (kind_) {
        case Kind::Root: return std::string(key_);
        case Kind::Alias: return parent_->Path();
        case Kind::Item: return parent_->Path() + "[" + std::to_string(index_) + "]";
        case Kind::Member: break;
    }
    return parent_->Path() + "." + std::string(key_);
}

void JsonPlace::Fail(const std::string& what) const { throw SceneError(Path(), what); }

bool JsonPlace::Has(const char* key) const { return value_.is_object() && value_.contains(key); }

JsonPlace JsonPlace::operator[](const char* key) const {
    if (!Has(key)) Fail(std::string("missing \"") + key + "\"");
    return {value_.at(key), this, Kind::Member, key, 0};
}

JsonPlace JsonPlace::Member(std::string_view key, const nlohmann::json& value) const { return {value, this, Kind::Member, key, 0}; }

JsonPlace JsonPlace::Item(std::size_t index) const { return {value_.at(index), this, Kind::Item, {}, index}; }

std::size_t JsonPlace::Size() const { return value_.size(); }

void JsonPlace::ExpectObject() const {
    if (!value_.is_object()) Fail("expected an object");
}

void JsonPlace::ExpectObject(std::initializer_list<const char*> allowedKeys) const {
    ExpectObject();
    for (const auto& [key, unused] : value_.items()) {
        bool known = false;
        for (const char* allowed : allowedKeys) known = known || key == allowed;
        if (!known) Fail("unknown key \"" + key + "\"");
    }
}

void JsonPlace::ExpectArray() const {
    if (!value_.is_array()) Fail("expected an array");
}

double JsonPlace::Number() const {
    if (!value_.is_number()) Fail("expected a number");
    return value_.get<double>();
}

double JsonPlace::FiniteNumber() const {
    const double v = Number();
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max()) Fail("number out of range");
    return v;
}

int JsonPlace::Integer() const {
    if (!value_.is_number_integer()) Fail("expected a whole number");
    const auto v = value_.get<long long>();
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) Fail("number out of range");
    return static_cast<int>(v);
}

bool JsonPlace::Boolean() const {
    if (value_.is_boolean()) return value_.get<bool>();
    if (value_.is_number_integer() && (value_ == 0 || value_ == 1)) return value_ == 1;
    Fail("expected true or false");
}

std::string JsonPlace::String() const {
    if (!value_.is_string()) Fail("expected a string");
    return value_.get<std::string>();
}

Point3 JsonPlace::Vector3() const {
    if (!value_.is_array() || value_.size() != 3) Fail("expected [x, y, z]");
    return {Item(0).FiniteNumber(), Item(1).FiniteNumber(), Item(2).FiniteNumber()};
}
