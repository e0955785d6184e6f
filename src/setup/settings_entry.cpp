#include "setup/settings_entry.h"

#include "store/format/numbers.h"

namespace roomwright {

std::string shownText(std::string_view stored) {
    return std::string(stored.substr(0, stored.find('\0')));
}

std::string settingText(float value) {
    return plainNumber(value);
}

std::optional<float> settingValue(std::string_view typed) {
    const std::optional<double> number = numberAtStart(typed);
    if (!number || !postableAmount(*number)) {
        return std::nullopt;
    }
    return static_cast<float>(*number);
}

ShiftClerkRecord shiftClerkRecord(std::string_view shift, std::string_view initials) {
    ShiftClerkRecord record;
    record.ClerkInitials = std::string(initials);
    record.Shift = std::string(shift);
    return record;
}

} // namespace roomwright
