#include "phone/ui/TLittleForm.h"

#include "settings/Const.h"
#include "settings/Lang.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <utility>

namespace {

QLineEdit* createEntry(QWidget* parent)
{
    auto* entry = new QLineEdit(parent);
    entry->setObjectName(QStringLiteral("EntryText1"));
    entry->setFrame(false);
    entry->setTextMargins(0, 0, 0, 0);
    entry->setContentsMargins(0, 0, 0, 0);
    entry->setFont(SkinLayout::font(SkinLayout::Text::Entry));
    entry->setGeometry(SkinLayout::entryRect());
    // The entry sits on the painted display: no background of its own and the display's ink, whatever the desktop
    // palette says.
    QPalette palette = entry->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Window, Qt::transparent);
    palette.setColor(QPalette::Text, SkinPainter::displayInk());
    palette.setColor(QPalette::Highlight, QColor(0x2f, 0x7a, 0xc8));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    entry->setPalette(palette);
    entry->setAutoFillBackground(false);
    entry->setAttribute(Qt::WA_MacShowFocusRect, false);
    return entry;
}

} // namespace

TLittleForm::TLittleForm(QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Tool)
    , m_entry(createEntry(this))
{
    setObjectName(QStringLiteral("TLittleForm"));
    setWindowTitle(QString::fromUtf8(Const::ApplicationTitle));
    setFixedSize(SkinWidth, SkinHeight);
    // Only the rounded corners are see-through; everything else is painted opaque.
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    m_enabled.fill(true);
    m_entry->setFocus();

    m_positionTimer.setInterval(PositionSaveMs);
    connect(&m_positionTimer, &QTimer::timeout, this, &TLittleForm::reportMovedPosition);
    m_positionTimer.start();
}

QLineEdit& TLittleForm::entry()
{
    return *m_entry;
}

void TLittleForm::setAreaText(const QString& text)
{
    m_look.areaText = text;
    update();
}

void TLittleForm::setShowText(const QString& text, const QString& hint)
{
    m_look.showText = text;
    m_showHint = hint;
    update();
}

void TLittleForm::setInfoLabel(const QString& text)
{
    m_look.infoText = text;
    update();
}

void TLittleForm::setStateIcon(StateIcon icon)
{
    m_look.icon = icon;
    update(SkinLayout::stateIconRect());
}

void TLittleForm::setConnectingFrame(int frame)
{
    m_look.connectingFrame = frame;
    update(SkinLayout::stateIconRect());
}

void TLittleForm::setFeatureFlags(bool forwarding, bool doNotDisturb, bool locked)
{
    m_look.forwarding = forwarding;
    m_look.doNotDisturb = doNotDisturb;
    m_look.locked = locked;
    update();
}

void TLittleForm::setRecording(bool on)
{
    m_look.recording = on;
    repaintButton(SkinButton::Rec);
}

void TLittleForm::setOnTop(bool on)
{
    m_look.onTop = on;
    repaintButton(SkinButton::OnTop);
}

void TLittleForm::setButtonEnabled(SkinButton button, bool enabled)
{
    m_enabled[std::size_t(button)] = enabled;
    if (!enabled && m_pressed == button) {
        m_pressed.reset();
    }
    repaintButton(button);
}

bool TLittleForm::isButtonEnabled(SkinButton button) const
{
    return m_enabled[std::size_t(button)];
}

void TLittleForm::movePositionTo(const QPoint& topLeft)
{
    QScreen* screen = QGuiApplication::screenAt(topLeft + QPoint(SkinWidth / 2, SkinHeight / 2));
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    QPoint position = topLeft;
    if (screen != nullptr) {
        const QRect area = screen->availableGeometry();
        position.setX(qBound(area.left(), position.x(), qMax(area.left(), area.right() + 1 - SkinWidth)));
        position.setY(qBound(area.top(), position.y(), qMax(area.top(), area.bottom() + 1 - SkinHeight)));
    }
    move(position);
    // A restored position is already saved; only moves by the user are reported.
    m_savedPosition = position;
}

QRect TLittleForm::buttonRect(SkinButton button) const
{
    return SkinLayout::buttonRect(button);
}

QString TLittleForm::toolTip(SkinButton button)
{
    switch (button) {
    case SkinButton::Park:
        return Lang::_("Parking (Ctrl + P)");
    case SkinButton::Fwd:
        return Lang::_("Forward");
    case SkinButton::Flash:
        return Lang::_("Flash (Ctrl + /)");
    case SkinButton::Conference:
        return Lang::_("Send SMS (Ctrl + S)");
    case SkinButton::OK:
        return Lang::_("Confirm (Enter)");
    case SkinButton::Book:
        return Lang::_("Phone book (Ctrl + T)");
    case SkinButton::Notes:
        return Lang::_("Notes (Ctrl + N)");
    case SkinButton::History:
        return Lang::_("History (Ctrl + H)");
    case SkinButton::Redial:
        return Lang::_("Redial (Ctrl + Up)");
    case SkinButton::Esc:
        return Lang::_("Cancel (ESC)");
    case SkinButton::OnTop:
        return Lang::_("Always on top");
    case SkinButton::Minimize:
        return Lang::_("Minimize (Ctrl + F4)");
    case SkinButton::Rec:
        return Lang::_("Call recording (Ctrl + R)");
    }
    return {};
}

bool TLittleForm::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        showToolTip(*static_cast<QHelpEvent*>(event));
        return true;
    }
    return QWidget::event(event);
}

void TLittleForm::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    SkinPainter::paint(painter, m_look, buttonFaces());
}

void TLittleForm::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_pressed = enabledButtonAt(event->position().toPoint());
    if (m_pressed) {
        repaintButton(*m_pressed);
    } else {
        m_dragOffset = event->globalPosition().toPoint() - pos();
    }
}

void TLittleForm::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragOffset && event->buttons().testFlag(Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - *m_dragOffset);
        return;
    }
    setHovered(enabledButtonAt(event->position().toPoint()));
}

void TLittleForm::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        rightClick(position, event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_dragOffset.reset();
    const std::optional<SkinButton> pressed = std::exchange(m_pressed, std::nullopt);
    if (!pressed) {
        return;
    }
    repaintButton(*pressed);
    if (enabledButtonAt(position) == pressed) {
        emit buttonClicked(*pressed);
    }
}

void TLittleForm::leaveEvent(QEvent* event)
{
    setHovered(std::nullopt);
    QWidget::leaveEvent(event);
}

// A right click with the mouse is answered on release (rightClick); only the keyboard's menu key arrives here.
void TLittleForm::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() != QContextMenuEvent::Mouse) {
        emit popupMenuRequested(mapToGlobal(rect().center()));
    }
    event->accept();
}

void TLittleForm::closeEvent(QCloseEvent* event)
{
    event->ignore();
    emit closeRequested();
}

std::optional<SkinButton> TLittleForm::enabledButtonAt(const QPoint& position) const
{
    const std::optional<SkinButton> button = SkinLayout::buttonAt(position);
    return button && isButtonEnabled(*button) ? button : std::nullopt;
}

ButtonFaces TLittleForm::buttonFaces() const
{
    ButtonFaces faces{};
    for (const SkinButton button : SkinLayout::Buttons) {
        ButtonFace face = ButtonFace::Normal;
        if (!isButtonEnabled(button)) {
            face = ButtonFace::Disabled;
        } else if (m_pressed == button) {
            // A pressed button looks pressed only while the mouse is over it, as a release there would click it.
            face = m_hovered == button || !m_hovered ? ButtonFace::Pressed : ButtonFace::Normal;
        } else if (m_hovered == button && !m_pressed) {
            face = ButtonFace::Hovered;
        }
        faces[std::size_t(button)] = face;
    }
    return faces;
}

void TLittleForm::setHovered(std::optional<SkinButton> button)
{
    if (button == m_hovered) {
        return;
    }
    const std::optional<SkinButton> previous = std::exchange(m_hovered, button);
    if (previous) {
        repaintButton(*previous);
    }
    if (button) {
        repaintButton(*button);
    }
}

void TLittleForm::showToolTip(const QHelpEvent& help)
{
    if (const std::optional<SkinButton> button = SkinLayout::buttonAt(help.pos())) {
        QToolTip::showText(help.globalPos(), toolTip(*button), this, buttonRect(*button));
    } else if (SkinLayout::showTextRect().contains(help.pos()) && !m_showHint.isEmpty()) {
        QToolTip::showText(help.globalPos(), m_showHint, this, SkinLayout::showTextRect());
    } else {
        QToolTip::hideText();
    }
}

void TLittleForm::rightClick(const QPoint& position, const QPoint& globalPosition)
{
    const std::optional<SkinButton> button = enabledButtonAt(position);
    if (button && SkinLayout::hasButtonMenu(*button)) {
        emit buttonMenuRequested(*button, globalPosition);
    } else {
        emit popupMenuRequested(globalPosition);
    }
}

void TLittleForm::reportMovedPosition()
{
    if (!isVisible() || pos() == m_savedPosition) {
        return;
    }
    m_savedPosition = pos();
    emit positionSettled(m_savedPosition);
}

void TLittleForm::repaintButton(SkinButton button)
{
    update(buttonRect(button).adjusted(-2, -2, 2, 2));
}
