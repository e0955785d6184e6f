#pragma once

#include "app/desk.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace roomwright::testing {

// Message boxes that answer themselves: every box is recorded, and questions take their
// answers from a queue (No when it is empty), folder and file pickers theirs from others.
// `whileUp`, when set, runs while each box is up, as events the clerk or the system cause
// meanwhile.
class ScriptedDialogs : public Dialogs {
  public:
    struct Shown {
        QString title;
        QString text;
        bool question;
        Answer byDefault = Answer::Yes; // of a question
    };

    std::vector<Shown> shown;
    // The texts of the boxes shown, in turn.
    QStringList texts() const {
        QStringList all;
        for (const Shown& box : shown) {
            all << box.text;
        }
        return all;
    }
    std::deque<bool> answers;
    // The folders the clerk picks, in turn; none left is a cancelled picker.
    std::deque<QString> folders;
    // The files the clerk picks, likewise.
    std::deque<QString> pickedFiles;
    std::function<void()> whileUp;

  protected:
    void showMessage(QWidget*, const QString& title, const QString& text) override {
        shown.push_back({title, text, false});
        runWhileUp();
    }
    bool showQuestion(QWidget*, const QString& title, const QString& text,
                      Answer byDefault) override {
        shown.push_back({title, text, true, byDefault});
        runWhileUp();
        if (answers.empty()) {
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    QString showFolderPicker(QWidget*, const QString& title) override {
        return picked(title, folders);
    }
    QString showFilePicker(QWidget*, const QString& title, const QString&) override {
        return picked(title, pickedFiles);
    }

  private:
    QString picked(const QString& title, std::deque<QString>& choices) {
        shown.push_back({title, QString(), false});
        if (choices.empty()) {
            return {};
        }
        const QString choice = choices.front();
        choices.pop_front();
        return choice;
    }
    void runWhileUp() {
        if (whileUp) {
            whileUp();
        }
    }
};

// A desk on a fresh data directory, at a set day and time, with a printer that keeps what
// it is sent and message boxes that answer themselves.
class DeskTest : public ::testing::Test {
  protected:
    DeskTest();
    ~DeskTest() override;

    // Moves the clock.
    void setNow(CivilDate today, TimeOfDay now);
    // The window of that kind, loaded and cast to its class.
    template <class Form> Form* openForm(WindowId id) {
        auto* form = dynamic_cast<Form*>(desk.open(id));
        EXPECT_NE(form, nullptr);
        return form;
    }
    template <class Form> Form* findForm(WindowId id) { return dynamic_cast<Form*>(desk.find(id)); }

    TempDir temp;
    DataDirectory directory;
    DiskFileSystem files;
    Store store;
    FixedClock clock;
    ScriptedDialogs dialogs;
    CapturingPrinter printer;
    Desk desk;
};

} // namespace roomwright::testing

namespace roomwright::testing {

// A button, box, list or check box the clerk works with (a combo box's own parts are the
// combo box's).
bool isControl(QWidget* widget);

// Every button, box, list and check box of the window can take the keyboard focus and has
// an accessible name; lists the ones that do not.
std::vector<QString> controlsWithoutNameOrFocus(QWidget* window);

} // namespace roomwright::testing

QT_BEGIN_NAMESPACE
// Shows Qt strings as text in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE
