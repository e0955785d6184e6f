#include "store/settings.h"

#include "store/numbers.h"
#include "store/store_error.h"

#include <cmath>

namespace roomwright {

namespace {

constexpr std::size_t kValueSlot = 10;

RecordFile valueFile(const Store& store, const Path& path) {
    return RecordFile(store.files(), path, kValueSlot);
}

float readSingle(const Store& store, const Path& path) {
    return field::getSingle(valueFile(store, path).read(1), 0);
}

// Stores the value in record 1, keeping whatever else the slot holds.
void writeSingle(const Store& store, const Path& path, float value) {
    Operation operation(store);
    RecordFile file = valueFile(store, path);
    Bytes slot = file.read(1);
    field::putSingle(slot, 0, value);
    file.write(1, slot);
    operation.commit();
}

constexpr std::int16_t kIntegerCeiling = 32767;

} // namespace

float taxRate(const Store& store) {
    return readSingle(store, store.directory().tax());
}
void setTaxRate(const Store& store, float rate) {
    writeSingle(store, store.directory().tax(), rate);
}
float petFee(const Store& store) {
    return readSingle(store, store.directory().pet());
}
void setPetFee(const Store& store, float fee) {
    writeSingle(store, store.directory().pet(), fee);
}

float reminderSwitch(const Store& store) {
    return readSingle(store, store.directory().greeting());
}
void setReminderSwitch(const Store& store, float value) {
    writeSingle(store, store.directory().greeting(), value);
}
bool reminderWanted(const Store& store) {
    return reminderSwitch(store) != 1.0f;
}

ShiftClerkRecord shiftAndClerk(const Store& store) {
    return store.shiftClerk().read(1);
}
void setShiftAndClerk(const Store& store, const ShiftClerkRecord& record) {
    asOneOperation(store, [&] { store.shiftClerk().write(1, record); });
}

long lastFolioNumber(const Store& store) {
    const Bytes slot = valueFile(store, store.directory().folio()).read(1);
    const std::int32_t wide = field::getLong(slot, 2);
    return wide != 0 ? wide : field::getInteger(slot, 0);
}

long issueFolioNumber(const Store& store) {
    Operation operation(store);
    RecordFile file = valueFile(store, store.directory().folio());
    Bytes slot = file.read(1);
    const std::int32_t wide = field::getLong(slot, 2);
    const long last = wide != 0 ? wide : field::getInteger(slot, 0);
    if (last < 0) {
        throw DataError("The folio counter in " + file.path().generic_string() + " holds " +
                        std::to_string(last) +
                        ", which is not a folio number. No folio number was issued.");
    }
    if (last >= kLastFolioNumber) {
        throw DataError(
            "The folio counter in " + file.path().generic_string() + " has reached " +
            std::to_string(kLastFolioNumber) +
            ", the last folio number this system can keep. No folio number was issued.");
    }
    const long next = last + 1;
    if (next < kIntegerCeiling) {
        field::putInteger(slot, 0, static_cast<std::int16_t>(next));
    } else {
        field::putInteger(slot, 0, kIntegerCeiling);
        field::putLong(slot, 2, static_cast<std::int32_t>(next));
    }
    file.write(1, slot);
    operation.commit();
    return next;
}

float lastConfirmationNumber(const Store& store) {
    return readSingle(store, store.directory().confirmation());
}

float issueConfirmationNumber(const Store& store) {
    Operation operation(store);
    const float last = lastConfirmationNumber(store);
    // A Single counts up by one only as far as 16777216; past it the next number would
    // repeat the last one.
    if (!(last >= 0.0f && last < static_cast<float>(kLastConfirmationNumber)) ||
        last != std::trunc(last)) {
        const Path& path = store.directory().confirmation();
        throw DataError("The confirmation counter in " + path.generic_string() + " holds " +
                        plainNumber(last) +
                        (last >= static_cast<float>(kLastConfirmationNumber)
                             ? ", the last confirmation number this system can keep."
                             : ", which is not a confirmation number.") +
                        " No confirmation number was issued.");
    }
    const float next = last + 1.0f;
    writeSingle(store, store.directory().confirmation(), next);
    operation.commit();
    return next;
}

} // namespace roomwright
