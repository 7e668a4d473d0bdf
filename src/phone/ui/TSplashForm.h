#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;

// The start-up window in the telephone's look: the product name and the version on a display. SplashTimer starts
// when the splash is shown; when it runs out the splash hides and deletes itself.
class TSplashForm final : public QWidget {
    Q_OBJECT

public:
    static constexpr int SplashMs = 3000;
    static constexpr int SplashWidth = 320;
    static constexpr int SplashHeight = 160;

    explicit TSplashForm(QWidget* parent = nullptr);

    QTimer& splashTimer() { return m_splashTimer; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void finish();

    QTimer m_splashTimer;
};
