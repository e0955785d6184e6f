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
    Form9* folioWindow() {
        auto* form = openForm<Form9>(WindowId::GuestFolio);
        const int index = form->Combo1->findText("101  Smith, Ann");
        form->Combo1->setCurrentIndex(index);
        emit form->Combo1->activated(index);
        return form;
    }
    void postMessage(Form9* folio, const QString& from, const QString& text) {
        QTest::mouseClick(folio->Command6, Qt::LeftButton);
        auto* post = findForm<Form25>(WindowId::PostMessage);
        ASSERT_NE(post, nullptr);
        QTest::keyClicks(post->Text1, from);
        QTest::keyClicks(post->Text2, "Ann");
        QTest::keyClicks(post->RichTextBox1, text);
        QTest::mouseClick(post->Command2, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    Form26* readMessage(Form9* folio) {
        folio->Command10->setEnabled(true); // as a fresh pick of the guest would
        QTest::mouseClick(folio->Command10, Qt::LeftButton);
        return findForm<Form26>(WindowId::ReadMessage);
    }
    Path messageFile() const { return directory.message() / " 17"; }
};

TEST_F(MessageWindowsTest, ThePostWindowSavesTodaysMessageForTheShownStay) {
    auto* folio = folioWindow();
    QTest::mouseClick(folio->Command6, Qt::LeftButton);
    auto* post = findForm<Form25>(WindowId::PostMessage);
    ASSERT_NE(post, nullptr);
    EXPECT_EQ(post->windowTitle(), "Post Guest Message");
    EXPECT_EQ(post->Label2->text(), "17");
    EXPECT_EQ(post->Label4->text(), "101  ");
    EXPECT_EQ(post->Text3->text(), "12/7/2026");
    post->Text3->setText("1/1/2027"); // an edited date changes nothing
    QTest::keyClicks(post->Text1, "Front desk");
    QTest::keyClicks(post->RichTextBox1, QString(150, 'm'));
    QTest::mouseClick(post->Command2, Qt::LeftButton);
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
    EXPECT_TRUE(folio->Command10->isEnabled());
    EXPECT_TRUE(folio->Timer2->isActive());
    auto* reading = readMessage(folio);
    ASSERT_NE(reading, nullptr);
    EXPECT_EQ(reading->windowTitle(), "Guest Message");
    EXPECT_EQ(reading->Label2->text(), "17");
    EXPECT_EQ(reading->Label4->text(), "101  ");
    EXPECT_EQ(reading->Label6->text().trimmed(), "First");
    EXPECT_EQ(reading->Label6->text().size(), 20);
    EXPECT_EQ(reading->Label8->text().trimmed(), "Ann");
    EXPECT_EQ(reading->Label10->text(), "12/7/2026");
    EXPECT_EQ(reading->RichTextBox1->toPlainText().trimmed(), "one");

    QTest::mouseClick(reading->Command2, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Your message was deleted.");
    EXPECT_EQ(desk.find(WindowId::ReadMessage), nullptr);
    EXPECT_EQ(store.messages(17).read(1).DeletedFlag, 1.0f);
    EXPECT_EQ(store.messages(17).read(2).DeletedFlag, 0.0f);
    EXPECT_FALSE(folio->Command10->isEnabled());
    EXPECT_FALSE(folio->Timer2->isActive());

    reading = readMessage(folio);
    ASSERT_NE(reading, nullptr);
    EXPECT_EQ(reading->Label6->text().trimmed(), "Second");
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
    EXPECT_EQ(reading->Label2->text(), "17"); // only the folio and room show
    EXPECT_EQ(reading->Label6->text(), "");
    QTest::mouseClick(reading->Command2, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(desk.find(WindowId::ReadMessage), nullptr);
    EXPECT_EQ(readFile(messageFile()), before);
}

TEST_F(MessageWindowsTest, AStayCheckedOutMeanwhileGetsNoMessage) {
    auto* folio = folioWindow();
    QTest::mouseClick(folio->Command6, Qt::LeftButton);
    auto* post = findForm<Form25>(WindowId::PostMessage);
    ASSERT_NE(post, nullptr);
    GuestRecord gone = store.guests().read(2);
    gone.CheckOutMark = "*";
    store.guests().write(2, gone);
    QTest::keyClicks(post->RichTextBox1, "too late");
    QTest::mouseClick(post->Command2, Qt::LeftButton);
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
