#pragma once

#include "phone/StateIcon.h"
#include "phone/ui/SkinButton.h"
#include "phone/ui/SkinPainter.h"

#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <optional>

class QHelpEvent;
class QLineEdit;

// The visible telephone: a borderless, painted desk-telephone window of 239 x 118 pixels. Its only child widget
// is the number entry line; the display texts, the state icon and the thirteen buttons are painted. A button acts
// on the left mouse-up over the same enabled button it went down on; pressing anywhere else (outside the entry
// line) drags the window. Closing it only asks the owner, which decides whether to hide it.
class TLittleForm final : public QWidget {
    Q_OBJECT

public:
    static constexpr int SkinWidth = SkinLayout::Width;
    static constexpr int SkinHeight = SkinLayout::Height;
    static constexpr int PositionSaveMs = 2000;

    explicit TLittleForm(QWidget* parent = nullptr);

    QLineEdit& entry();
    void setAreaText(const QString& text);
    void setShowText(const QString& text, const QString& hint);
    void setInfoLabel(const QString& text);
    void setStateIcon(StateIcon icon);
    void setConnectingFrame(int frame);
    void setFeatureFlags(bool forwarding, bool doNotDisturb, bool locked);
    void setRecording(bool on);
    void setOnTop(bool on);
    void setButtonEnabled(SkinButton button, bool enabled);
    bool isButtonEnabled(SkinButton button) const;
    // Moves the window to topLeft, pulled fully onto the screen nearest to it.
    void movePositionTo(const QPoint& topLeft);

    QString showText() const { return m_look.showText; }
    QString showHint() const { return m_showHint; }
    QString areaText() const { return m_look.areaText; }
    QString infoText() const { return m_look.infoText; }
    StateIcon stateIcon() const { return m_look.icon; }
    QRect buttonRect(SkinButton button) const;
    // The timer that looks for a new window position; tests fire it by hand.
    QTimer& positionTimer() { return m_positionTimer; }

    static QString toolTip(SkinButton button);

signals:
    void buttonClicked(SkinButton button);
    void popupMenuRequested(const QPoint& globalPos);
    void buttonMenuRequested(SkinButton button, const QPoint& globalPos);
    void positionSettled(const QPoint& topLeft);
    void closeRequested();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::optional<SkinButton> enabledButtonAt(const QPoint& position) const;
    ButtonFaces buttonFaces() const;
    void setHovered(std::optional<SkinButton> button);
    void showToolTip(const QHelpEvent& help);
    void rightClick(const QPoint& position, const QPoint& globalPosition);
    void reportMovedPosition();
    void repaintButton(SkinButton button);

    QLineEdit* m_entry = nullptr;
    SkinLook m_look;
    QString m_showHint;
    std::array<bool, SkinLayout::Buttons.size()> m_enabled{};
    std::optional<SkinButton> m_hovered;
    std::optional<SkinButton> m_pressed;
    // Where the window's top-left corner was relative to the mouse when a drag began.
    std::optional<QPoint> m_dragOffset;
    QTimer m_positionTimer;
    QPoint m_savedPosition;
};
