#pragma once

#include <string>

namespace roomwright {

// A save that a window turns down: what to tell the clerk, in a box titled "ATTENTION!",
// and the field to put the focus on. Nothing has been written.
template <class Field> struct Refusal {
    Field field;
    std::string message;

    friend bool operator==(const Refusal&, const Refusal&) = default;
};

} // namespace roomwright
