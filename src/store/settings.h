#pragma once

#include "store/store.h"

namespace roomwright {

// The one-value setting and counter files. Each is read at the moment it is needed and
// written at once; nothing is cached.

float taxRate(const Store& store);
void setTaxRate(const Store& store, float rate);
float petFee(const Store& store);
void setPetFee(const Store& store, float fee);

// The start-up reminder is silenced only when the switch holds exactly 1.
float reminderSwitch(const Store& store);
void setReminderSwitch(const Store& store, float value);
bool reminderWanted(const Store& store);

ShiftClerkRecord shiftAndClerk(const Store& store);
void setShiftAndClerk(const Store& store, const ShiftClerkRecord& record);

// The folio counter: a 16-bit Integer that stays at 32767 once reached, after which the
// true last folio number is kept as a 32-bit integer in bytes 2 to 5 of the same slot.
constexpr long kLastFolioNumber = 16777216; // the largest a Single holds exactly
long lastFolioNumber(const Store& store);
// Advances the counter and returns the new folio number. Throws DataError when the
// counter cannot go on.
long issueFolioNumber(const Store& store);

// The confirmation counter: a Single, so it counts by one up to 16777216 and no further.
constexpr long kLastConfirmationNumber = 16777216;
float lastConfirmationNumber(const Store& store);
// Advances the counter and returns the new confirmation number. Throws DataError, writing
// nothing, when the counter holds its last number or something that is not a number.
float issueConfirmationNumber(const Store& store);

} // namespace roomwright
