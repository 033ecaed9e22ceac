#include "road/modifier_switch.h"

#include "host/modifier.h"

ModifierSwitch::~ModifierSwitch() {
    for (auto it = off_.rbegin(); it != off_.rend(); ++it) (*it)->EnableMod();
}

void ModifierSwitch::SwitchOff(Modifier* mod) {
    // Remembered first: if that throws, the modifier has not been touched.
    off_.push_back(mod);
    mod->DisableMod();
}
