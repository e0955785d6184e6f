#include "messages/messages.h"

#include "store/format/numbers.h"

namespace roomwright {

bool isLive(const MessageRecord& message, long folioNumber) {
    return message.FolioNumber == static_cast<float>(folioNumber) && message.DeletedFlag != 1.0f;
}

Found<MessageRecord> firstLiveMessage(const Store& store, long folioNumber) {
    return store.messages(folioNumber).findFirst([&](const MessageRecord& message) {
        return isLive(message, folioNumber);
    });
}

bool hasLiveMessage(const Store& store, long folioNumber) {
    return firstLiveMessage(store, folioNumber).has_value();
}

std::optional<std::size_t> saveMessage(const Store& store, long folioNumber,
                                       const NewMessage& message, const CivilDate& today) {
    const auto stay = inHouseGuestByFolio(store, folioNumber);
    if (!stay) {
        return std::nullopt;
    }
    const GuestRecord& guest = stay->second;
    MessageRecord record;
    record.FolioNumber = guest.FolioNumber;
    record.RoomNumber = guest.RoomNumber;
    record.From = message.from;
    record.To = message.to;
    record.MessageDate = today.stored();
    record.MessageText = message.text;
    return asOneOperation(store, [&] { return store.messages(folioNumber).append(record); });
}

bool deleteFirstLiveMessage(const Store& store, long folioNumber) {
    if (!inHouseGuestByFolio(store, folioNumber)) {
        return false;
    }
    auto found = firstLiveMessage(store, folioNumber);
    if (!found) {
        return false;
    }
    found->second.DeletedFlag = 1.0f;
    asOneOperation(store, [&] { store.messages(folioNumber).write(found->first, found->second); });
    return true;
}

std::string noStayMessage(long folioNumber) {
    return "No guest in house has folio number " + plainNumber(static_cast<double>(folioNumber)) +
           ".";
}

} // namespace roomwright
