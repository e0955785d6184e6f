#pragma once

#include "store/store.h"

#include <optional>
#include <string>
#include <string_view>

namespace roomwright {

// What a text box or combo shows of a stored text: everything up to the first NUL character,
// as the workstation's controls show it. A field never assigned is all NUL and shows empty.
std::string shownText(std::string_view stored);

// --- Tax rate and pet fee ----------------------------------------------------------------

// A setting as its window shows it: the shortest decimal form with a leading zero (0.09; 0
// when none has been stored).
std::string settingText(float value);
// The number the typed text begins with (leading blanks skipped, a negative one too), as it
// is stored. Nothing when the text is empty, begins with no number, or holds one that is not
// a postableAmount: the window then refuses it and stores nothing.
std::optional<float> settingValue(std::string_view typed);
// The refusals of the two windows.
inline constexpr std::string_view kTaxRateRefused =
    "The tax rate must be a number, for example .09 for 9%.";
inline constexpr std::string_view kPetFeeRefused = "The pet fee must be a number, for example 10.";

// --- Shift and clerk ---------------------------------------------------------------------

// The shift's list, in this order, and what the shift box shows before a shift is picked.
inline constexpr std::string_view kShifts[] = {"A", "B", "C"};
inline constexpr std::string_view kShiftPrompt = "Select Shift";

// The record "Enter Now" stores: the shift box's first character (a blank when it is empty),
// the initials cut to 2 characters or padded with blanks.
ShiftClerkRecord shiftClerkRecord(std::string_view shift, std::string_view initials);

} // namespace roomwright
