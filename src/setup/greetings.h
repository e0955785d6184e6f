#pragma once

#include "store/store.h"

namespace roomwright {

// What the Greetings window tells a new motel: whether its rooms and tax rate are in.
struct SetupProgress {
    bool roomsEntered = false; // at least one room record
    bool taxEntered = false;   // a tax rate greater than 0
};
SetupProgress setupProgress(const Store& store);

} // namespace roomwright
