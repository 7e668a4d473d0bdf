#include "books/ui/transfer/BookTransferWindow.h"

#include "books/database/BookDialogsPort.h"
#include "books/database/TdbCore.h"
#include "books/transfer/BookTransfer.h"
#include "books/transfer/TransferColumns.h"
#include "books/ui/transfer/TransferColumnChoice.h"
#include "settings/Lang.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

BookTransferWindow::BookTransferWindow(Direction direction, TdbCore& core, BookDialogsPort& dialogs, QWidget* parent)
    : QDialog(parent)
    , m_direction(direction)
    , m_core(core)
    , m_dialogs(dialogs)
    , m_pages(new QStackedWidget(this))
    , m_file(new QLineEdit(this))
    , m_kind(new QComboBox(this))
    , m_advanced(new QPushButton(Lang::_("Advanced"), this))
    , m_next(new QPushButton(Lang::_("Next >"), this))
    , m_columns(new TransferColumnChoice(
          direction == Direction::Export ? Lang::_("Columns for export") : Lang::_("Columns for import"),
          direction == Direction::Export ? &TransferColumns::exportText : &TransferColumns::importText, this))
    , m_progressText(new QLabel(
          direction == Direction::Export ? Lang::_("Export continues...") : Lang::_("Import continues..."), this))
    , m_progress(new QProgressBar(this))
    , m_result(new QLabel(this))
    , m_end(new QPushButton(Lang::_("End"), this))
{
    const bool exporting = direction == Direction::Export;
    setWindowTitle(exporting ? Lang::_("Export a phone book") : Lang::_("Import a phone book"));
    for (const TransferFileKind kind : TransferFileKinds::all()) {
        m_kind->addItem(TransferFileKinds::dialogText(kind), int(kind));
    }
    setKind(TransferFileKind::Text);

    auto* first = new QWidget(m_pages);
    auto* browse = new QPushButton(QStringLiteral("..."), first);
    browse->setFixedWidth(32);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file);
    fileRow->addWidget(browse);
    auto* form = new QFormLayout;
    form->addRow(Lang::_("File name:"), fileRow);
    form->addRow(Lang::_("File type:"), m_kind);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_advanced);
    buttons->addStretch();
    buttons->addWidget(m_next);
    auto* firstLayout = new QVBoxLayout(first);
    firstLayout->addLayout(form);
    firstLayout->addWidget(m_columns);
    firstLayout->addStretch();
    firstLayout->addLayout(buttons);
    m_columns->setVisible(false);
    m_advanced->setCheckable(true);

    auto* second = new QWidget(m_pages);
    auto* secondLayout = new QVBoxLayout(second);
    secondLayout->addWidget(m_progressText);
    secondLayout->addWidget(m_progress);
    secondLayout->addWidget(m_result);
    secondLayout->addStretch();
    auto* endRow = new QHBoxLayout;
    endRow->addStretch();
    endRow->addWidget(m_end);
    secondLayout->addLayout(endRow);
    m_end->setEnabled(false);

    m_pages->addWidget(first);
    m_pages->addWidget(second);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    m_next->setDefault(true);
    m_next->setEnabled(false);

    connect(browse, &QPushButton::clicked, this, &BookTransferWindow::browse);
    connect(m_file, &QLineEdit::textChanged, this, &BookTransferWindow::followFileName);
    connect(m_advanced, &QPushButton::toggled, m_columns, &QWidget::setVisible);
    connect(m_columns, &TransferColumnChoice::choiceChanged, this, &BookTransferWindow::followFileName);
    connect(m_next, &QPushButton::clicked, this, &BookTransferWindow::runTransfer);
    connect(m_end, &QPushButton::clicked, this, &QDialog::accept);
}

bool BookTransferWindow::onProgressPage() const
{
    return m_pages->currentIndex() == 1;
}

TransferFileKind BookTransferWindow::kind() const
{
    return TransferFileKind(m_kind->currentData().toInt());
}

void BookTransferWindow::setKind(TransferFileKind kind)
{
    m_kind->setCurrentIndex(m_kind->findData(int(kind)));
}

void BookTransferWindow::browse()
{
    QStringList filters;
    for (const TransferFileKind kind : TransferFileKinds::all()) {
        filters.append(TransferFileKinds::dialogText(kind));
    }
    QString filter = TransferFileKinds::dialogText(kind());
    const QString title = windowTitle();
    const QString chosen =
        m_direction == Direction::Export
            ? QFileDialog::getSaveFileName(this, title, m_file->text(), filters.join(QLatin1String(";;")), &filter,
                                           QFileDialog::DontConfirmOverwrite)
            : QFileDialog::getOpenFileName(this, title, m_file->text(), filters.join(QLatin1String(";;")), &filter);
    if (chosen.isEmpty()) {
        return;
    }
    m_file->setText(chosen);
    const qsizetype index = filters.indexOf(filter);
    if (index >= 0) {
        setKind(TransferFileKinds::all()[index]);
    }
}

void BookTransferWindow::followFileName()
{
    const QString suffix = QFileInfo(m_file->text()).suffix();
    if (!suffix.isEmpty()) {
        const TransferFileKind suggested = TransferFileKinds::fromFileName(m_file->text());
        if (suffix.compare(TransferFileKinds::extension(suggested), Qt::CaseInsensitive) == 0) {
            setKind(suggested);
        }
    }
    m_next->setEnabled(!m_file->text().trimmed().isEmpty() && !m_columns->chosenCodes().isEmpty());
}

QString BookTransferWindow::fileName() const
{
    // A name typed without an extension gets the kind's, as the file dialog would give it.
    QString name = m_file->text().trimmed();
    if (m_direction == Direction::Export && QFileInfo(name).suffix().isEmpty()) {
        name += u'.' + TransferFileKinds::extension(kind());
    }
    return name;
}

void BookTransferWindow::runTransfer()
{
    const bool exporting = m_direction == Direction::Export;
    const QString operationError =
        exporting ? Lang::_("Error of phone book export") : Lang::_("Error of phone book import");
    PhoneBook* book = m_core.book(m_core.currentBookIndex());
    if (book == nullptr) {
        m_dialogs.showError(operationError + u'\n' + Lang::_("The phone book is not open."));
        return;
    }
    m_next->setEnabled(false);
    BookTransfer transfer(book->database(), m_dialogs);
    const QList<int> codes = m_columns->chosenCodes();
    const BookTransfer::Result result =
        exporting ? transfer.exportTo(fileName(), kind(), codes) : transfer.importFrom(fileName(), kind(), codes);
    m_next->setEnabled(true);
    if (result.outcome == BookTransfer::Result::Outcome::Cancelled) {
        return;
    }
    if (!result.ok()) {
        m_dialogs.showError(result.message);
        return;
    }
    m_pages->setCurrentIndex(1);
    m_progress->setRange(0, 100);
    m_progress->setValue(100);
    m_result->setText(exporting ? Lang::_("Export finished ") : Lang::_("Import has been finished"));
    m_end->setEnabled(true);
    m_end->setFocus();
    if (!result.message.isEmpty()) {
        m_dialogs.showWarning(result.message);
    }
    if (!exporting) {
        // The book window shows the new contacts.
        m_core.requeryBooks();
    }
}
