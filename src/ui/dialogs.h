#pragma once

#include <QString>

class QWidget;

namespace roomwright {

// The answer a question gives when the clerk just presses Enter.
enum class Answer { Yes, No };

// Every message box of the program goes through this seam; tests answer it themselves.
// While a box is up, the window of `parent` stays alive, even when it is closed meanwhile.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // A message with an OK button; a title of "ATTENTION!" shows the warning icon.
    void inform(QWidget* parent, const QString& title, const QString& text);
    // A question with Yes and No buttons and the question icon; true for Yes. A question
    // whose Yes cannot be taken back has No as its default.
    bool ask(QWidget* parent, const QString& title, const QString& text,
             Answer byDefault = Answer::Yes);
    // A folder the clerk picks (a USB stick); empty when the clerk cancels.
    QString chooseFolder(QWidget* parent, const QString& title);
    // A file the clerk picks among those `filter` shows ("Backups (roomwright-*.tar)"); empty
    // when the clerk cancels.
    QString chooseFile(QWidget* parent, const QString& title, const QString& filter);

  protected:
    virtual void showMessage(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual bool showQuestion(QWidget* parent, const QString& title, const QString& text,
                              Answer byDefault) = 0;
    virtual QString showFolderPicker(QWidget* parent, const QString& title) = 0;
    virtual QString showFilePicker(QWidget* parent, const QString& title,
                                   const QString& filter) = 0;
};

// Modal Qt message boxes and the system's folder and file pickers. Each box is its own object on
// the heap: whatever deletes it while it is up, it is freed exactly once.
class MessageBoxDialogs : public Dialogs {
  protected:
    void showMessage(QWidget* parent, const QString& title, const QString& text) override;
    bool showQuestion(QWidget* parent, const QString& title, const QString& text,
                      Answer byDefault) override;
    QString showFolderPicker(QWidget* parent, const QString& title) override;
    QString showFilePicker(QWidget* parent, const QString& title, const QString& filter) override;
};

// The title of every warning and refusal.
inline const QString kAttention = QStringLiteral("ATTENTION!");

// Runs a handler's work; a file that cannot be read or written, or data this system cannot
// take, is told to the clerk in a box titled "ATTENTION!" instead of ending the program.
// Returns false when the work did not finish.
template <class Work> bool guarded(Dialogs& dialogs, QWidget* parent, Work&& work);

void tellFailure(Dialogs& dialogs, QWidget* parent, const char* what);

template <class Work> bool guarded(Dialogs& dialogs, QWidget* parent, Work&& work) {
    try {
        work();
        return true;
    } catch (const std::exception& failure) {
        tellFailure(dialogs, parent, failure.what());
        return false;
    }
}

} // namespace roomwright
