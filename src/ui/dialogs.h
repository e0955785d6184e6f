#pragma once

#include <QString>

class QWidget;

namespace roomwright {

// Every message box of the program goes through this seam; tests answer it themselves.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // A message with an OK button.
    virtual void inform(QWidget* parent, const QString& title, const QString& text) = 0;
    // A question with Yes and No buttons and the question icon; true for Yes.
    virtual bool ask(QWidget* parent, const QString& title, const QString& text) = 0;
};

// Modal Qt message boxes.
class MessageBoxDialogs : public Dialogs {
  public:
    void inform(QWidget* parent, const QString& title, const QString& text) override;
    bool ask(QWidget* parent, const QString& title, const QString& text) override;
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
