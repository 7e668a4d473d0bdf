#include "books/ui/TSetBookInfoForm.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

TSetBookInfoForm::TSetBookInfoForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_label(new QLabel(this))
{
    setObjectName(QStringLiteral("SetBookInfoForm"));
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(24, 16, 24, 16);
    m_label->setAlignment(Qt::AlignCenter);
    frameLayout->addWidget(m_label);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame);
}

void TSetBookInfoForm::showText(const QString& text)
{
    m_label->setText(text);
    adjustSize();
    show();
    raise();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString TSetBookInfoForm::text() const
{
    return m_label->text();
}
