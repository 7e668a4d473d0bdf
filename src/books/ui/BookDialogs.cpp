#include "books/ui/BookDialogs.h"

#include "books/ui/TSetBookInfoForm.h"
#include "settings/Const.h"

#include <QDebug>
#include <QMessageBox>

namespace {

int showBox(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons, QWidget* parent)
{
    QMessageBox box(icon, QString::fromLatin1(Const::ApplicationTitle), text, buttons, parent);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return box.exec();
}

} // namespace

BookDialogs::BookDialogs(QWidget* parent)
    : m_parent(parent)
{
}

// The window may belong to the parent widget, which can delete it first; QPointer tells.
BookDialogs::~BookDialogs()
{
    delete m_wait.data();
}

bool BookDialogs::askYesNo(const QString& text)
{
    // A question must not hide behind the wait window, which is on top as well.
    if (!m_wait.isNull()) {
        m_wait->hide();
    }
    return showBox(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, m_parent) == QMessageBox::Yes;
}

void BookDialogs::showWarning(const QString& text)
{
    showBox(QMessageBox::Warning, text, QMessageBox::Ok, m_parent);
}

void BookDialogs::showError(const QString& text)
{
    showBox(QMessageBox::Critical, text, QMessageBox::Ok, m_parent);
}

void BookDialogs::showWait(const QString& text)
{
    if (m_wait.isNull()) {
        m_wait = new TSetBookInfoForm(m_parent);
    }
    m_wait->showText(text);
}

void BookDialogs::hideWait()
{
    if (!m_wait.isNull()) {
        m_wait->hide();
    }
}

void BookDialogs::showHistoryError(const QString& message, const QString& detail)
{
    qWarning().noquote() << message << detail;
    showError(message);
}

TSetBookInfoForm* BookDialogs::waitWindow() const
{
    return m_wait;
}
