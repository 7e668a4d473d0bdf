#include "sms/ui/TSMSfrWindow.h"

#include "settings/Lang.h"
#include "settings/SettingsRecord.h"
#include "settings/SmsWireText.h"
#include "sms/SmsNumber.h"
#include "sms/SmsSegmenter.h"
#include "sms/ui/TPhoneBookSMSForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalBlocker>
#include <algorithm>

namespace {

constexpr int NumberLength = 17;
enum Column { NameColumn, NumberColumn, StatusColumn, ColumnCount };

} // namespace

TSMSfrWindow::TSMSfrWindow(const SettingsRecord& settings, GateLink& link, SmsBookPort* books, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_books(books)
    , m_ask(
          [this](const QString& text) { return QMessageBox::question(this, windowTitle(), text) == QMessageBox::Yes; })
    , m_list(Lang::_("List"))
    , m_add(Lang::_("&Add to list"))
    , m_book(Lang::_("&Book"))
    , m_recipients(0, ColumnCount)
    , m_send(Lang::_("Send"))
    , m_cancel(Lang::_("Cancel"))
    , m_sendAgain(Lang::_("Send again"))
    , m_sending(link, [this] { showSending(); })
{
    setWindowTitle(Lang::_("Norvel TelephoneTervo - Edit message SMS"));
    m_number.setMaxLength(NumberLength);
    m_recipients.setHorizontalHeaderLabels({Lang::_("Name"), Lang::_("Number"), Lang::_("Status")});
    m_recipients.horizontalHeader()->setStretchLastSection(true);
    m_recipients.setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_sendTimer.setInterval(SendTickMs);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(Lang::_("Number:")), 0, 0);
    layout->addWidget(&m_number, 0, 1);
    layout->addWidget(&m_add, 0, 2);
    layout->addWidget(&m_book, 0, 3);
    layout->addWidget(&m_list, 0, 4);
    layout->addWidget(&m_recipients, 1, 0, 1, 5);
    layout->addWidget(&m_text, 2, 0, 1, 5);
    layout->addWidget(&m_counter, 3, 0);
    layout->addWidget(&m_progress, 3, 1, 1, 4);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(&m_send);
    buttons->addWidget(&m_sendAgain);
    buttons->addWidget(&m_cancel);
    layout->addLayout(buttons, 4, 0, 1, 5);
    buildEditMenu(*layout);
    m_list.setCheckable(true);
    m_list.setChecked(true);
    m_number.setContextMenuPolicy(Qt::CustomContextMenu);
    m_book.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    m_book.setVisible(m_books != nullptr);

    connect(&m_number, &QLineEdit::textChanged, this, &TSMSfrWindow::numberEdited);
    connect(&m_number, &QWidget::customContextMenuRequested, this, &TSMSfrWindow::showNumberMenu);
    connect(&m_list, &QPushButton::toggled, this, &TSMSfrWindow::showList);
    connect(&m_add, &QPushButton::clicked, this, &TSMSfrWindow::addRecipient);
    connect(&m_book, &QPushButton::clicked, this, &TSMSfrWindow::openBook);
    connect(&m_text, &QPlainTextEdit::textChanged, this, &TSMSfrWindow::textEdited);
    connect(&m_send, &QPushButton::clicked, this, &TSMSfrWindow::send);
    connect(&m_cancel, &QPushButton::clicked, this, [this] { m_sending.cancel(); });
    connect(&m_sendAgain, &QPushButton::clicked, this, [this] {
        m_sending.resume();
        m_sendTimer.start();
    });
    connect(&m_sendTimer, &QTimer::timeout, this, [this] { m_sending.tick(); });
    numberEdited();
    textEdited();
    showSending();
}

void TSMSfrWindow::setRecipient(const QString& name, const QString& number)
{
    m_number.setText(number);
    if (!name.isEmpty()) {
        addRecipient();
        m_recipients.item(m_recipients.rowCount() - 1, NameColumn)->setText(name);
    }
}

void TSMSfrWindow::numberEdited()
{
    const bool valid = SmsNumber::isValidEntry(m_number.text());
    m_number.setStyleSheet(valid || m_number.text().isEmpty() ? QString() : QStringLiteral("color: red"));
    m_add.setEnabled(valid && !m_sending.isBusy());
}

void TSMSfrWindow::addRecipient()
{
    if (!SmsNumber::isValidEntry(m_number.text())) {
        return;
    }
    addRow(QString(), m_number.text());
    m_number.clear();
    showList(true);
}

void TSMSfrWindow::addRow(const QString& name, const QString& number)
{
    const int row = m_recipients.rowCount();
    m_recipients.insertRow(row);
    m_recipients.setItem(row, NameColumn, new QTableWidgetItem(name));
    m_recipients.setItem(row, NumberColumn, new QTableWidgetItem(number));
    m_recipients.setItem(row, StatusColumn, new QTableWidgetItem);
}

// A number from the books is checked like a typed one: one the gate cannot take is left out. A number kept with a
// line prefix ("0/600123456") goes without it, as the gate dials on its own line.
void TSMSfrWindow::addRecipients(const QList<SmsBookPort::Number>& numbers)
{
    if (m_sending.isBusy()) {
        return;
    }
    for (const SmsBookPort::Number& number : numbers) {
        const QString dialled = number.number.section(u'/', -1).remove(u' ').remove(u'-');
        bool listed = false;
        for (int row = 0; row < m_recipients.rowCount() && !listed; ++row) {
            listed = m_recipients.item(row, NumberColumn)->text() == dialled;
        }
        if (!listed && SmsNumber::isValidEntry(dialled)) {
            addRow(number.name, dialled);
            showList(true);
        }
    }
}

TPhoneBookSMSForm* TSMSfrWindow::openBook()
{
    if (m_books == nullptr || m_sending.isBusy()) {
        return nullptr;
    }
    auto* picker = new TPhoneBookSMSForm(*m_books, this);
    picker->setAttribute(Qt::WA_DeleteOnClose);
    connect(picker, &QDialog::accepted, this, [this, picker] { addRecipients(picker->chosen()); });
    picker->open();
    return picker;
}

// Past eight segments the text is cut back at once; the counter shows the segments and what is left in the last.
void TSMSfrWindow::textEdited()
{
    const QString text = m_text.toPlainText();
    const QString limited = SmsSegmenter::limited(SmsSegmenter::withLineBreaks(text));
    if (limited.size() < SmsSegmenter::withLineBreaks(text).size()) {
        const QSignalBlocker blocker(m_text);
        QString shown = limited;
        m_text.setPlainText(shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        m_text.moveCursor(QTextCursor::End);
    }
    const SmsSegmenter::Count count = SmsSegmenter::count(limited);
    m_counter.setText(QStringLiteral("%1/%2").arg(count.segments).arg(count.left));
}

QList<SmsSending::Recipient> TSMSfrWindow::chosenRecipients() const
{
    QList<SmsSending::Recipient> recipients;
    for (int row = 0; row < m_recipients.rowCount(); ++row) {
        recipients.append(
            {m_recipients.item(row, NameColumn)->text(), m_recipients.item(row, NumberColumn)->text(), {}, {}});
    }
    if (!m_list.isChecked()) {
        recipients.clear();
    }
    if (recipients.isEmpty() && SmsNumber::isValidEntry(m_number.text())) {
        recipients.append({QString(), m_number.text(), {}, {}});
    }
    return recipients;
}

void TSMSfrWindow::send()
{
    const QList<SmsSending::Recipient> recipients = chosenRecipients();
    if (recipients.isEmpty() || m_sending.isBusy()) {
        return;
    }
    if (m_list.isChecked() && m_recipients.rowCount() == 0) {
        addRecipient();
    }
    const QString text = SmsSegmenter::withLineBreaks(m_text.toPlainText());
    m_sending.start({SmsSegmenter::cut(text), false, SmsNumber::validityCode(m_settings.Sms.SmsPeriod)}, recipients);
    m_sendTimer.start();
}

void TSMSfrWindow::showSending()
{
    // With the list switched off the message goes to the typed number alone, and the list's rows keep their texts.
    const QList<SmsSending::Recipient>& recipients =
        m_list.isChecked() ? m_sending.recipients() : QList<SmsSending::Recipient>();
    for (int row = 0; row < recipients.size() && row < m_recipients.rowCount(); ++row) {
        m_recipients.item(row, StatusColumn)->setText(recipients.at(row).status);
    }
    const bool busy = m_sending.isBusy();
    if (!busy) {
        m_sendTimer.stop();
    }
    m_progress.setText(m_sending.progress());
    m_send.setEnabled(!busy);
    m_cancel.setEnabled(busy);
    m_sendAgain.setEnabled(m_sending.state() == SmsSending::State::Failed);
    m_text.setReadOnly(busy);
    m_add.setEnabled(!busy && SmsNumber::isValidEntry(m_number.text()));
    m_book.setEnabled(!busy);
    m_list.setEnabled(!busy);
}

void TSMSfrWindow::buildEditMenu(QLayout& layout)
{
    auto* bar = new QMenuBar(this);
    QMenu* edit = bar->addMenu(Lang::_("Edit"));
    const auto onField = [this](auto onLine, auto onText) {
        return [this, onLine, onText] {
            if (editedField() == &m_number) {
                (m_number.*onLine)();
            } else if (editedField() == &m_text) {
                (m_text.*onText)();
            }
        };
    };
    edit->addAction(Lang::_("Cut"), QKeySequence::Cut, this, onField(&QLineEdit::cut, &QPlainTextEdit::cut));
    edit->addAction(Lang::_("Copy"), QKeySequence::Copy, this, onField(&QLineEdit::copy, &QPlainTextEdit::copy));
    edit->addAction(Lang::_("Paste"), QKeySequence::Paste, this, onField(&QLineEdit::paste, &QPlainTextEdit::paste));
    edit->addSeparator();
    edit->addAction(Lang::_("&Delete"), this, &TSMSfrWindow::deleteSelection);
    edit->addAction(Lang::_("Delete all"), this, &TSMSfrWindow::deleteAll);
    edit->addAction(Lang::_("&Clear"), QKeySequence(Qt::CTRL | Qt::Key_U), this, &TSMSfrWindow::clearText);
    layout.setMenuBar(bar);
}

// The field being edited: the one with the focus, or the message text when the focus is elsewhere.
QWidget* TSMSfrWindow::editedField()
{
    QWidget* focused = focusWidget();
    if (focused == &m_number || focused == &m_recipients) {
        return focused;
    }
    return &m_text;
}

std::unique_ptr<QMenu> TSMSfrWindow::numberMenu()
{
    std::unique_ptr<QMenu> menu(m_number.createStandardContextMenu());
    if (m_contacts == nullptr) {
        return menu;
    }
    menu->addSeparator();
    QMenu* add = menu->addMenu(Lang::_("Add to a phone book"));
    add->setEnabled(SmsNumber::isValidEntry(m_number.text()));
    const QStringList kinds{Lang::_("Extension"), Lang::_("Company"), Lang::_("Home"), Lang::_("Mobile"),
                            Lang::_("Other")};
    for (int position = SmsContactPort::FirstPosition; position <= SmsContactPort::LastPosition; ++position) {
        add->addAction(kinds.at(position - 1), this, [this, position] { addNumberToBook(position); });
    }
    return menu;
}

void TSMSfrWindow::showNumberMenu(const QPoint& position)
{
    const std::unique_ptr<QMenu> menu = numberMenu();
    menu->exec(m_number.mapToGlobal(position));
}

bool TSMSfrWindow::addNumberToBook(int position)
{
    if (m_contacts == nullptr || position < SmsContactPort::FirstPosition || position > SmsContactPort::LastPosition ||
        !SmsNumber::isValidEntry(m_number.text())) {
        return false;
    }
    m_contacts->addToBook(m_number.text(), position);
    return true;
}

void TSMSfrWindow::showList(bool shown)
{
    if (m_sending.isBusy()) {
        shown = m_list.isChecked();
    }
    const QSignalBlocker blocker(m_list);
    m_list.setChecked(shown);
    m_recipients.setVisible(shown);
}

void TSMSfrWindow::deleteSelection()
{
    if (m_sending.isBusy()) {
        return;
    }
    QWidget* field = editedField();
    if (field == &m_recipients) {
        QList<int> rows;
        for (const QModelIndex& index : m_recipients.selectionModel()->selectedRows()) {
            rows.append(index.row());
        }
        std::sort(rows.begin(), rows.end(), std::greater<>());
        for (int row : rows) {
            m_recipients.removeRow(row);
        }
    } else if (field == &m_number) {
        m_number.del();
    } else {
        m_text.textCursor().removeSelectedText();
    }
}

void TSMSfrWindow::deleteAll()
{
    if (m_sending.isBusy() || m_recipients.rowCount() == 0 || !m_ask(Lang::_("Delete all?."))) {
        return;
    }
    m_recipients.setRowCount(0);
}

void TSMSfrWindow::clearText()
{
    if (!m_sending.isBusy()) {
        m_text.clear();
    }
}
