#pragma once

// The motels the benchmarks run on: a data directory generated once per shape and reused.

#include "store/format/dates.h"

#include <filesystem>
#include <string>

namespace roomwright::bench {

// What a generated motel holds. Every stay but the newest `inHouse` has checked out; those
// arrived yesterday and are in house, one to a room. Stays and bookings are spread evenly over
// the years before `today`, and every booking of those years is checked in; the newest
// `openAhead` bookings are still open, arriving over the four weeks from `today` on.
struct MotelShape {
    long years = 20;
    int rooms = 100;
    int firstRoom = 100; // rooms are numbered firstRoom, firstRoom + 1, ...
    long staysPerYear = 12'500;
    long reservationsPerYear = 3'000;
    long openAhead = 0;
    long inHouse = 70;
    // Every n-th in-house guest leaves today (0: none does); the others stay on for as long
    // as `stayOnNights` from today.
    long dueOutEvery = 7;
    long stayOnNights = 1;
    // Every n-th room is dirty (0: none is).
    int dirtyEvery = 0;
    float rate = 59.95f;
    float taxRate = 0.07f;
    // Each in-house stay's charge file holds its first night and its payment.
    bool postFirstNights = true;
    // Every stay and booking keeps the card it was taken with.
    bool cards = false;
    CivilDate today{2026, 12, 7};

    // The folder name of this shape, so that different shapes never share a directory.
    std::string name() const;
};

// The data directory of the shape under $TMPDIR/roomwright-bench/, generated unless it is
// there already.
std::filesystem::path generatedMotel(const MotelShape& shape);

// A fresh copy of the generated motel, on the disk, for a benchmark that writes to it (the
// night audit): every run starts from the same files.
std::filesystem::path scratchMotel(const MotelShape& shape);

// The room number of room i (from 0) of the shape.
std::string roomNumberOf(const MotelShape& shape, long i);

} // namespace roomwright::bench
