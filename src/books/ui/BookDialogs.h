#pragma once

#include "books/database/BookDialogsPort.h"
#include "books/history/HistoryErrorPort.h"

#include <QPointer>

class QWidget;
class TSetBookInfoForm;

// The questions, message boxes and wait window of opening the databases, as widgets. Boxes carry the application
// title and stay on top.
class BookDialogs final : public BookDialogsPort, public HistoryErrorPort {
public:
    explicit BookDialogs(QWidget* parent = nullptr);
    ~BookDialogs() override;
    BookDialogs(const BookDialogs&) = delete;
    BookDialogs& operator=(const BookDialogs&) = delete;

    bool askYesNo(const QString& text) override;
    void showWarning(const QString& text) override;
    void showError(const QString& text) override;
    void showWait(const QString& text) override;
    void hideWait() override;
    // A failed history operation: the message in an error box, the engine's detail in the log.
    void showHistoryError(const QString& message, const QString& detail) override;

    // The wait window once it has been shown.
    TSetBookInfoForm* waitWindow() const;

private:
    QWidget* m_parent;
    QPointer<TSetBookInfoForm> m_wait;
};
