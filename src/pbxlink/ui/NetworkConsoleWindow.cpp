#include "pbxlink/ui/NetworkConsoleWindow.h"

#include "settings/Lang.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>

namespace {

QFont consoleFont()
{
    const QString courier = QStringLiteral("Courier New");
    if (QFontDatabase::families().contains(courier)) {
        QFont font(courier);
        font.setStyleHint(QFont::Monospace);
        return font;
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

QPushButton* addButton(QHBoxLayout* row, const QString& objectName, const QString& text)
{
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    row->addWidget(button);
    return button;
}

} // namespace

NetworkConsoleWindow::NetworkConsoleWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_view(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("TToPBX"));
    setWindowTitle(Lang::_("Network console"));

    m_view->setObjectName(QStringLiteral("ConsolRichEdit"));
    m_view->setReadOnly(true);
    m_view->setUndoRedoEnabled(false);
    m_view->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_view->setFont(consoleFont());
    QPalette palette = m_view->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, QColor::fromRgb(QRgb(ConsoleColour::Note)));
    m_view->setPalette(palette);

    auto* buttons = new QHBoxLayout;
    QPushButton* on = addButton(buttons, QStringLiteral("ConnOn"), Lang::_("ON"));
    QPushButton* off = addButton(buttons, QStringLiteral("ConnOff"), Lang::_("OFF"));
    QPushButton* cls = addButton(buttons, QStringLiteral("Button6"), Lang::_("CLS"));
    buttons->addStretch();
    QPushButton* save = addButton(buttons, QStringLiteral("Button1"), Lang::_("Save LOG"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
    resize(640, 480);

    connect(on, &QPushButton::clicked, this, &NetworkConsoleWindow::connectRequested);
    connect(off, &QPushButton::clicked, this, &NetworkConsoleWindow::disconnectRequested);
    connect(cls, &QPushButton::clicked, this, &NetworkConsoleWindow::clear);
    connect(save, &QPushButton::clicked, this, &NetworkConsoleWindow::saveLog);
}

void NetworkConsoleWindow::write(const QString& line, ConsoleColour colour)
{
    while (lineCount() >= MaxLines) {
        removeOldestLine();
    }
    QTextCursor cursor(m_view->document());
    cursor.movePosition(QTextCursor::End);
    if (lineCount() > 0) {
        cursor.insertBlock();
    }
    QTextCharFormat format;
    format.setForeground(QColor::fromRgb(QRgb(colour)));
    cursor.insertText(line, format);
    m_hasLines = true;
    m_view->moveCursor(QTextCursor::End);
    m_view->verticalScrollBar()->setValue(m_view->verticalScrollBar()->maximum());
}

void NetworkConsoleWindow::setLogFilePath(const QString& path)
{
    m_logFilePath = path;
}

void NetworkConsoleWindow::setSaveTargetChooser(SaveTargetChooser chooser)
{
    m_chooseSaveTarget = std::move(chooser);
}

QStringList NetworkConsoleWindow::lines() const
{
    QStringList result;
    if (lineCount() == 0) {
        return result;
    }
    for (QTextBlock block = m_view->document()->begin(); block.isValid(); block = block.next()) {
        result << block.text();
    }
    return result;
}

int NetworkConsoleWindow::lineCount() const
{
    return m_hasLines ? m_view->document()->blockCount() : 0;
}

void NetworkConsoleWindow::removeOldestLine()
{
    QTextCursor cursor(m_view->document());
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void NetworkConsoleWindow::clear()
{
    m_view->clear();
    m_hasLines = false;
}

void NetworkConsoleWindow::saveLog()
{
    const QString target = m_chooseSaveTarget ? m_chooseSaveTarget() : chooseSaveTarget();
    if (target.isEmpty() || !QFileInfo::exists(m_logFilePath)) {
        return;
    }
    const QFileInfo source(m_logFilePath);
    if (source.canonicalFilePath() == QFileInfo(target).canonicalFilePath()) {
        return;
    }
    if (QFileInfo::exists(target)) {
        QFile::remove(target);
    }
    if (!QFile::copy(m_logFilePath, target)) {
        QMessageBox::critical(this, windowTitle(), Lang::_("Cannot copy the network log to \"%1\".").arg(target));
    }
}

QString NetworkConsoleWindow::chooseSaveTarget()
{
    QFileDialog dialog(this, Lang::_("Save LOG"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("log"));
    dialog.setNameFilters({Lang::_("Log files (*.log)"), Lang::_("All files (*)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}
