#include "store/settings.h"

#include "store/format/numbers.h"
#include "store/format/path_text.h"
#include "store/format/store_error.h"

#include <cmath>

namespace roomwright {

namespace {

constexpr std::size_t kValueSlot = 10;

RecordFile valueFile(const Store& store, const Path& path) {
    return RecordFile(store.files(), path, kValueSlot);
}

// Record 1 of a one-value file as far as the file holds it, and how many bytes that is
// (0 for a missing or empty file, whose value is 0). The slot's unused tail may be missing;
// a value needs only its own bytes.
struct HeldSlot {
    Bytes slot = Bytes(kValueSlot);
    std::size_t held = 0;

    HeldSlot(const Store& store, const Path& path) : held(store.files().readAt(path, 0, slot)) {}
    // True when the file holds bytes 0 to `length` - 1, or is empty.
    bool holds(std::size_t length) const { return held == 0 || held >= length; }
};

[[noreturn]] void cutShort(const Path& path, const char* what, const HeldSlot& value) {
    throw DamageError(path, std::string(what) + " is cut short (the file holds " +
                                std::to_string(value.held) + " bytes)");
}

float readSingle(const Store& store, const Path& path, const char* what) {
    const HeldSlot value(store, path);
    if (!value.holds(4)) {
        cutShort(path, what, value);
    }
    const float number = field::getSingle(value.slot, 0);
    if (!std::isfinite(number)) {
        throw DamageError(path, std::string(what) + " is not a finite number");
    }
    return number;
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
    return readSingle(store, store.directory().tax(), "the tax rate");
}
void setTaxRate(const Store& store, float rate) {
    writeSingle(store, store.directory().tax(), rate);
}
float petFee(const Store& store) {
    return readSingle(store, store.directory().pet(), "the pet fee");
}
void setPetFee(const Store& store, float fee) {
    writeSingle(store, store.directory().pet(), fee);
}

float reminderSwitch(const Store& store) {
    return readSingle(store, store.directory().greeting(), "the reminder switch");
}
void setReminderSwitch(const Store& store, float value) {
    writeSingle(store, store.directory().greeting(), value);
}
bool reminderWanted(const Store& store) {
    return reminderSwitch(store) != 1.0f;
}

ShiftClerkRecord shiftAndClerk(const Store& store) {
    const Table<ShiftClerkRecord> file = store.shiftClerk();
    const std::uint64_t length = store.files().size(file.path());
    if (length > 0 && length < ShiftClerkRecord::slotLength) {
        throw DamageError(file.path(), "the shift and clerk are cut short (the file holds " +
                                           std::to_string(length) + " bytes)");
    }
    return file.read(1);
}
void setShiftAndClerk(const Store& store, const ShiftClerkRecord& record) {
    asOneOperation(store, [&] { store.shiftClerk().write(1, record); });
}

namespace {

// The counter's slot and the last folio number it holds: the Integer, or the wider count in
// bytes 2 to 5 once the Integer has reached 32767 (and only then).
long heldFolioNumber(const Path& path, const HeldSlot& value) {
    if (!value.holds(2)) {
        cutShort(path, "the folio counter", value);
    }
    const std::int16_t narrow = field::getInteger(value.slot, 0);
    if (narrow != kIntegerCeiling) {
        return narrow;
    }
    if (!value.holds(6)) {
        cutShort(path, "the folio counter past 32767", value);
    }
    return field::getLong(value.slot, 2);
}

} // namespace

long lastFolioNumber(const Store& store) {
    const Path& path = store.directory().folio();
    return heldFolioNumber(path, HeldSlot(store, path));
}

long issueFolioNumber(const Store& store) {
    Operation operation(store);
    RecordFile file = valueFile(store, store.directory().folio());
    HeldSlot held(store, file.path());
    const long last = heldFolioNumber(file.path(), held);
    Bytes& slot = held.slot;
    if (last < 0) {
        throw DataError("The folio counter in " + utf8Text(file.path()) + " holds " +
                        std::to_string(last) +
                        ", which is not a folio number. No folio number was issued.");
    }
    if (last >= kLastFolioNumber) {
        throw DataError(
            "The folio counter in " + utf8Text(file.path()) + " has reached " +
            std::to_string(kLastFolioNumber) +
            ", the last folio number this system can keep. No folio number was issued.");
    }
    const long next = last + 1;
    // A counter set back (a restored or rewritten file) would hand out the number of a stay
    // that has postings, and the new stay's lines would join that stay's folio.
    const Path chargeFile = store.directory().chargeFile(next);
    if (store.files().size(chargeFile) > 0) {
        throw DataError("The folio counter in " + utf8Text(file.path()) + " holds " +
                        std::to_string(last) + ", but folio " + std::to_string(next) +
                        " already has postings in " + utf8Text(chargeFile) +
                        ". No folio number was issued.");
    }
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
    return readSingle(store, store.directory().confirmation(), "the confirmation counter");
}

float issueConfirmationNumber(const Store& store) {
    Operation operation(store);
    const float last = lastConfirmationNumber(store);
    // A Single counts up by one only as far as 16777216; past it the next number would
    // repeat the last one.
    if (!(last >= 0.0f && last < static_cast<float>(kLastConfirmationNumber)) ||
        last != std::trunc(last)) {
        const Path& path = store.directory().confirmation();
        throw DataError("The confirmation counter in " + utf8Text(path) + " holds " +
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
