#include "frontdesk/guest_folio_window.h"
#include "gui/gui_fixture.h"
#include "messages/message_windows.h"
#include "support/temp_dir.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

namespace roomwright::testing {
namespace {

class MessageWindowsTest : public DeskTest {
  protected:
    MessageWindowsTest() {
        GuestRecord departed;
        departed.RoomNumber = "101";
        departed.FolioNumber = 12;
        departed.CheckOutMark = "*";
        store.guests().append(departed);
        GuestRecord guest;
        guest.RoomNumber = "101";
        guest.LastName = "Smith";
        guest.FirstName = "Ann";
        guest.FolioNumber = 17;
        store.guests().append(guest);
    }
    // The folio window with the guest of room 101 chosen.
    GuestFolioWindow* folioWindow() {
        auto* form = openForm<GuestFolioWindow>(WindowId::GuestFolio);
        const int index = form->guestCombo->findText("101  Smith, Ann");
        form->guestCombo->setCurrentIndex(index);
        emit form->guestCombo->activated(index);
        return form;
    }
    void postMessage(GuestFolioWindow* folio, const QString& from, const QString& text) {
        QTest::mouseClick(folio->postMessageButton, Qt::LeftButton);
        auto* post = findForm<PostMessageWindow>(WindowId::PostMessage);
        ASSERT_NE(post, nullptr);
        QTest::keyClicks(post->fromBox, from);
        QTest::keyClicks(post->toBox, "Ann");
        QTest::keyClicks(post->messageText, text);
        QTest::mouseClick(post->saveButton, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ReadMessageWindow* readMessage(GuestFolioWindow* folio) {
        folio->retrieveMessageButton->setEnabled(true); // as a fresh pick of the guest would
        QTest::mouseClick(folio->retrieveMessageButton, Qt::LeftButton);
        return findForm<ReadMessageWindow>(WindowId::ReadMessage);
    }
    Path messageFile() const { return directory.message() / " 17"; }
};

TEST_F(MessageWindowsTest, ThePostWindowSavesTodaysMessageForTheShownStay) {
    auto* folio = folioWindow();
    QTest::mouseClick(folio->postMessageButton, Qt::LeftButton);
    auto* post = findForm<PostMessageWindow>(WindowId::PostMessage);
    ASSERT_NE(post, nullptr);
    EXPECT_EQ(post->windowTitle(), "Post Guest Message");
    EXPECT_EQ(post->folioNumberLabel->text(), "17");
    EXPECT_EQ(post->roomNumberLabel->text(), "101  ");
    EXPECT_EQ(post->dateBox->text(), "12/7/2026");
    post->dateBox->setText("1/1/2027"); // an edited date changes nothing
    QTest::keyClicks(post->fromBox, "Front desk");
    QTest::keyClicks(post->messageText, QString(150, 'm'));
    QTest::mouseClick(post->saveButton, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, "ATTENTION!");
    EXPECT_EQ(dialogs.shown[0].text, "Your message was saved.");
    EXPECT_EQ(desk.find(WindowId::PostMessage), nullptr);
    EXPECT_EQ(readFile(messageFile()).size(), 265u);
    const MessageRecord saved = store.messages(17).read(1);
    EXPECT_EQ(saved.FolioNumber, 17.0f);
    EXPECT_EQ(saved.RoomNumber.str(), "101  ");
    EXPECT_EQ(saved.From.trimmed(), "Front desk");
    EXPECT_EQ(saved.MessageDate, (CivilDate{2026, 12, 7}).stored());
    EXPECT_EQ(saved.MessageText.str(), QString(100, 'm').toStdString());
    EXPECT_EQ(saved.DeletedFlag, 0.0f);
    EXPECT_FALSE(std::filesystem::exists(directory.message() / " 12"));
}

TEST_F(MessageWindowsTest, TwoMessagesAreReadInOrderAndDeletedOneAtATime) {
    auto* folio = folioWindow();
    postMessage(folio, "First", "one");
    postMessage(folio, "Second", "two");
    dialogs.shown.clear();

    folio = folioWindow(); // a fresh pick finds the messages
    EXPECT_TRUE(folio->retrieveMessageButton->isEnabled());
    EXPECT_TRUE(folio->messageBlinkTimer->isActive());
    auto* reading = readMessage(folio);
    ASSERT_NE(reading, nullptr);
    EXPECT_EQ(reading->windowTitle(), "Guest Message");
    EXPECT_EQ(reading->folioNumberLabel->text(), "17");
    EXPECT_EQ(reading->roomNumberLabel->text(), "101  ");
    EXPECT_EQ(reading->fromLabel->text().trimmed(), "First");
    EXPECT_EQ(reading->fromLabel->text().size(), 20);
    EXPECT_EQ(reading->toLabel->text().trimmed(), "Ann");
    EXPECT_EQ(reading->dateLabel->text(), "12/7/2026");
    EXPECT_EQ(reading->messageText->toPlainText().trimmed(), "one");

    QTest::mouseClick(reading->deleteButton, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Your message was deleted.");
    EXPECT_EQ(desk.find(WindowId::ReadMessage), nullptr);
    EXPECT_EQ(store.messages(17).read(1).DeletedFlag, 1.0f);
    EXPECT_EQ(store.messages(17).read(2).DeletedFlag, 0.0f);
    EXPECT_FALSE(folio->retrieveMessageButton->isEnabled());
    EXPECT_FALSE(folio->messageBlinkTimer->isActive());

    reading = readMessage(folio);
    ASSERT_NE(reading, nullptr);
    EXPECT_EQ(reading->fromLabel->text().trimmed(), "Second");
}

TEST_F(MessageWindowsTest, DeletingWhenNoMessageIsLeftWritesNothingAndSaysNothing) {
    auto* folio = folioWindow();
    postMessage(folio, "Only", "one");
    store.messages(17).write(1, [&] {
        MessageRecord deleted = store.messages(17).read(1);
        deleted.DeletedFlag = 1;
        return deleted;
    }());
    const std::string before = readFile(messageFile());
    dialogs.shown.clear();
    auto* reading = readMessage(folio);
    ASSERT_NE(reading, nullptr);
    EXPECT_EQ(reading->folioNumberLabel->text(), "17"); // only the folio and room show
    EXPECT_EQ(reading->fromLabel->text(), "");
    QTest::mouseClick(reading->deleteButton, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(desk.find(WindowId::ReadMessage), nullptr);
    EXPECT_EQ(readFile(messageFile()), before);
}

TEST_F(MessageWindowsTest, AStayCheckedOutMeanwhileGetsNoMessage) {
    auto* folio = folioWindow();
    QTest::mouseClick(folio->postMessageButton, Qt::LeftButton);
    auto* post = findForm<PostMessageWindow>(WindowId::PostMessage);
    ASSERT_NE(post, nullptr);
    GuestRecord gone = store.guests().read(2);
    gone.CheckOutMark = "*";
    store.guests().write(2, gone);
    QTest::keyClicks(post->messageText, "too late");
    QTest::mouseClick(post->saveButton, Qt::LeftButton);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "No guest in house has folio number 17.");
    EXPECT_FALSE(std::filesystem::exists(messageFile()));
    EXPECT_TRUE(post->isVisible()); // the typed message is not lost
}

TEST_F(MessageWindowsTest, TheReadingWindowNamesItsFields) {
    auto* folio = folioWindow();
    auto* reading = readMessage(folio);
    ASSERT_NE(reading, nullptr);
    EXPECT_TRUE(controlsWithoutNameOrFocus(reading).empty());
}

} // namespace
} // namespace roomwright::testing
