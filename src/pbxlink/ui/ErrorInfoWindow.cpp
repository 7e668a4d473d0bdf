#include "pbxlink/ui/ErrorInfoWindow.h"

#include "settings/Lang.h"
#include "ui_ErrorInfoWindow.h"

#include <QHideEvent>
#include <QStyle>

ErrorInfoWindow::ErrorInfoWindow(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::ErrorInfoWindow>())
{
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    m_ui->IconLabel->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(iconSize));

    connect(m_ui->CloseButton, &QPushButton::clicked, this, &ErrorInfoWindow::close);
    connect(m_ui->ConfigurationButton, &QPushButton::clicked, this, &ErrorInfoWindow::configurationRequested);
}

ErrorInfoWindow::~ErrorInfoWindow() = default;

void ErrorInfoWindow::report(const QString& message)
{
    ++m_count;
    QString text = message;
    if (m_count > 1) {
        text += QLatin1Char('\n') + Lang::_n("(reported %1 time)", "(reported %1 times)", m_count).arg(m_count);
    }
    m_ui->MessageLabel->setText(text);
}

// Closing (or hiding) starts a new count; minimising, which the system reports as spontaneous, does not.
void ErrorInfoWindow::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous()) {
        m_count = 0;
    }
}
