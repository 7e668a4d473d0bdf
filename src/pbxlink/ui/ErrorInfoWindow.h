#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class ErrorInfoWindow;
}

// The network error window: a warning icon, the last reported message and how often it was reported since the
// window was last closed, with buttons to close it and to open the configuration.
class ErrorInfoWindow final : public QDialog {
    Q_OBJECT

public:
    explicit ErrorInfoWindow(QWidget* parent = nullptr);
    ~ErrorInfoWindow() override;

    // Shows message and counts the report; showing the window is left to the caller.
    void report(const QString& message);
    int reportCount() const { return m_count; }

signals:
    void configurationRequested();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    std::unique_ptr<Ui::ErrorInfoWindow> m_ui;
    int m_count = 0;
};
