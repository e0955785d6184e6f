#include "messages/messages.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace roomwright {
namespace {

using testing::readFile;
using testing::TempDir;

class MessagesTest : public ::testing::Test {
  protected:
    MessagesTest() : store(DataDirectory(temp.path()), files) {
        store.directory().ensureExists(files);
    }
    void addGuest(const char* room, long folio, bool departed = false) {
        GuestRecord guest;
        guest.RoomNumber = room;
        guest.FolioNumber = static_cast<float>(folio);
        if (departed) {
            guest.CheckOutMark = "*";
        }
        store.guests().append(guest);
    }
    std::vector<MessageRecord> stored(long folio) { return store.messages(folio).all(); }

    TempDir temp;
    DiskFileSystem files;
    Store store;
    const CivilDate today{2026, 12, 7};
};

TEST_F(MessagesTest, TheFirstSaveCreatesTheFileNamedWithALeadingBlankAsRecordOne) {
    addGuest("101", 17);
    EXPECT_FALSE(hasLiveMessage(store, 17)); // no file yet reads as no message
    const auto saved = saveMessage(store, 17, {"Desk", "Ann", "Call home"}, today);
    ASSERT_EQ(saved, 1u);
    const std::string bytes = readFile(temp.path() / "message" / " 17");
    ASSERT_EQ(bytes.size(), 265u);
    const auto messages = stored(17);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].FolioNumber, 17.0f);
    EXPECT_EQ(messages[0].RoomNumber.str(), "101  ");
    EXPECT_EQ(messages[0].From.trimmed(), "Desk");
    EXPECT_EQ(messages[0].To.trimmed(), "Ann");
    EXPECT_EQ(messages[0].MessageDate, today.stored());
    EXPECT_EQ(messages[0].MessageText.trimmed(), "Call home");
    EXPECT_EQ(messages[0].DeletedFlag, 0.0f);
    // A record built from scratch: the reserved bytes after the text stay zero.
    EXPECT_EQ(bytes.substr(171, 94), std::string(94, '\0'));
    EXPECT_TRUE(hasLiveMessage(store, 17));
}

TEST_F(MessagesTest, TextsAreCutToTheirFields) {
    addGuest("101", 17);
    const std::string text(150, 'x');
    saveMessage(store, 17, {std::string(25, 'f'), std::string(30, 't'), text}, today);
    const MessageRecord message = stored(17).at(0);
    EXPECT_EQ(message.MessageText.str(), std::string(100, 'x'));
    EXPECT_EQ(message.From.str(), std::string(20, 'f'));
    EXPECT_EQ(message.To.str(), std::string(20, 't'));
}

TEST_F(MessagesTest, DeletingTakesTheFirstLiveMessageAndTheNextOneComesUp) {
    addGuest("101", 17);
    saveMessage(store, 17, {"A", "B", "first"}, today);
    saveMessage(store, 17, {"A", "B", "second"}, today);
    ASSERT_EQ(firstLiveMessage(store, 17)->first, 1u);

    EXPECT_TRUE(deleteFirstLiveMessage(store, 17));
    const auto messages = stored(17);
    ASSERT_EQ(messages.size(), 2u); // nothing is removed
    EXPECT_EQ(messages[0].DeletedFlag, 1.0f);
    EXPECT_EQ(messages[1].DeletedFlag, 0.0f);
    const auto next = firstLiveMessage(store, 17);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->first, 2u);
    EXPECT_EQ(next->second.MessageText.trimmed(), "second");
}

TEST_F(MessagesTest, DeletingWhenEveryMessageIsDeletedWritesNothing) {
    addGuest("101", 17);
    saveMessage(store, 17, {"A", "B", "only"}, today);
    ASSERT_TRUE(deleteFirstLiveMessage(store, 17));
    const std::string before = readFile(temp.path() / "message" / " 17");
    EXPECT_FALSE(deleteFirstLiveMessage(store, 17));
    EXPECT_EQ(readFile(temp.path() / "message" / " 17"), before);
    EXPECT_FALSE(hasLiveMessage(store, 17));
}

TEST_F(MessagesTest, AMessageOfAnotherFolioInTheFileIsNotLive) {
    addGuest("101", 17);
    MessageRecord stray;
    stray.FolioNumber = 71;
    store.messages(17).append(stray);
    EXPECT_FALSE(hasLiveMessage(store, 17));
    EXPECT_FALSE(deleteFirstLiveMessage(store, 17));
}

TEST_F(MessagesTest, OnlyInHouseStaysAreReachable) {
    addGuest("101", 17, true);
    addGuest("101", 18);
    EXPECT_FALSE(saveMessage(store, 17, {"A", "B", "late"}, today));
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "message" / " 17"));
    EXPECT_FALSE(saveMessage(store, 99, {"A", "B", "nobody"}, today));
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "message" / " 99"));

    // Messages left before check-out stay in the file but can no longer be deleted.
    MessageRecord old;
    old.FolioNumber = 17;
    store.messages(17).append(old);
    EXPECT_FALSE(deleteFirstLiveMessage(store, 17));
    EXPECT_EQ(stored(17).at(0).DeletedFlag, 0.0f);
    EXPECT_EQ(noStayMessage(17), "No guest in house has folio number 17.");
}

} // namespace
} // namespace roomwright
