#pragma once
// The key-position drill as other subsystems open it: the keyboard
// subsystem provides it when it registers.
#include <vector>

class KeyDrills {
public:
    virtual ~KeyDrills() = default;
    // Opens the key-position drill as the weak-key drill: every target is
    // drawn uniformly from `targets` (key codes, repeated by weight).
    virtual void openWeakKeyDrill(const std::vector<int> &targets) = 0;
};
