#pragma once

#include "store/format/dates.h"
#include "store/lookups.h"
#include "store/store.h"

#include <optional>
#include <string>

namespace roomwright {

// A message still waiting for the guest: one of the stay's own, not deleted.
bool isLive(const MessageRecord& message, long folioNumber);

// The first live message of a stay, with its record number: the one the clerk reads next.
Found<MessageRecord> firstLiveMessage(const Store& store, long folioNumber);
bool hasLiveMessage(const Store& store, long folioNumber);

struct NewMessage {
    std::string from;
    std::string to;
    std::string text;
};
// Saves a message for the in-house stay of `folioNumber` as the next record of its message
// file, dated `today`; From, To and the text are cut to their fields. Returns the record
// number, or nothing (and writes nothing) when no guest in house has that folio.
std::optional<std::size_t> saveMessage(const Store& store, long folioNumber,
                                       const NewMessage& message, const CivilDate& today);

// Marks the stay's first live message deleted. Returns false, writing nothing, when the stay
// is not in house or has no live message.
bool deleteFirstLiveMessage(const Store& store, long folioNumber);

// "No guest in house has folio number 17."
std::string noStayMessage(long folioNumber);

} // namespace roomwright
