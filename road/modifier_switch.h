// Switches modifiers off for a scope and on again when it ends, on every path out of it.
#pragma once

#include <vector>

class Modifier;

class ModifierSwitch {
public:
    ModifierSwitch() = default;
    ModifierSwitch(const ModifierSwitch&) = delete;
    ModifierSwitch& operator=(const ModifierSwitch&) = delete;
    ~ModifierSwitch();

    void SwitchOff(Modifier* mod);

private:
    std::vector<Modifier*> off_;
};
