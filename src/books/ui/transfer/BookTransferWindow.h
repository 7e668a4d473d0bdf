#pragma once

#include "books/transfer/TransferFileKind.h"

#include <QDialog>

class BookDialogsPort;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class TdbCore;
class TransferColumnChoice;

// The wizard of an export or an import of the current phone book: the file, its kind and (behind "Advanced") the
// columns on the first page; "Next >" runs the transfer, and the second page shows its progress and end. A failed
// transfer is shown in an error box and the window stays on the first page, so that the user may correct it.
class BookTransferWindow : public QDialog {
    Q_OBJECT

public:
    enum class Direction { Export, Import };

    QLineEdit& fileField() { return *m_file; }
    QComboBox& kindField() { return *m_kind; }
    QPushButton& advancedButton() { return *m_advanced; }
    QPushButton& nextButton() { return *m_next; }
    QPushButton& endButton() { return *m_end; }
    TransferColumnChoice& columns() { return *m_columns; }
    QLabel& progressText() { return *m_progressText; }
    QLabel& resultText() { return *m_result; }
    bool onProgressPage() const;

    TransferFileKind kind() const;
    void setKind(TransferFileKind kind);

protected:
    BookTransferWindow(Direction direction, TdbCore& core, BookDialogsPort& dialogs, QWidget* parent);

private:
    void browse();
    void followFileName();
    void runTransfer();
    QString fileName() const;

    Direction m_direction;
    TdbCore& m_core;
    BookDialogsPort& m_dialogs;
    QStackedWidget* m_pages;
    QLineEdit* m_file;
    QComboBox* m_kind;
    QPushButton* m_advanced;
    QPushButton* m_next;
    TransferColumnChoice* m_columns;
    QLabel* m_progressText;
    QProgressBar* m_progress;
    QLabel* m_result;
    QPushButton* m_end;
};
