#pragma once

#include "books/database/BookDialogsPort.h"

#include <QStringList>

// Records what opening a database shows and answers the questions from a script (Yes when the script is empty).
class FakeBookDialogs final : public BookDialogsPort {
public:
    bool askYesNo(const QString& text) override
    {
        questions.append(text);
        return answers.isEmpty() ? true : answers.takeFirst();
    }
    void showWarning(const QString& text) override { warnings.append(text); }
    void showError(const QString& text) override { errors.append(text); }
    void showWait(const QString& text) override
    {
        waitTexts.append(text);
        waitVisible = true;
    }
    void hideWait() override { waitVisible = false; }

    bool nothingShown() const { return questions.isEmpty() && warnings.isEmpty() && errors.isEmpty(); }

    QList<bool> answers;
    QStringList questions;
    QStringList warnings;
    QStringList errors;
    QStringList waitTexts;
    bool waitVisible = false;
};
