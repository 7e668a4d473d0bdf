#pragma once

#include "desktop/HotKeyChoice.h"

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QVector>

// The global hot key on X11: the key grabbed on the root window with each combination of Caps Lock and Num Lock
// (so that either lock does not break it), and pressed() for each press. A key that another client holds is not
// grabbed, silently. Without X11 (Wayland, offscreen) nothing is grabbed.
class X11HotKey final : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit X11HotKey(QObject* parent = nullptr);
    ~X11HotKey() override;

    // Grabs that key in place of any earlier one; false when there is no X11 or the key is taken.
    bool grab(const HotKeyChoice& choice);
    void release();
    bool isGrabbed() const { return m_keycode != 0; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void pressed();

private:
    bool grabVariants(unsigned int modifiers);

    unsigned char m_keycode = 0;
    unsigned int m_modifiers = 0;
};
