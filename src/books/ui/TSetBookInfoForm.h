#pragma once

#include <QWidget>

class QLabel;

// The wait window shown while a phone book or the history is opened: a small frameless window with one text.
class TSetBookInfoForm final : public QWidget {
    Q_OBJECT

public:
    explicit TSetBookInfoForm(QWidget* parent = nullptr);

    // Shows the window with text and paints it at once: the database work that follows blocks the event loop.
    void showText(const QString& text);
    QString text() const;

private:
    QLabel* m_label;
};
