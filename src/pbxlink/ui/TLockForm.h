#pragma once

#include <QDialog>
#include <functional>
#include <memory>

namespace Ui {
class TLockForm;
}

// Asks for the PIN that locks the telephone, or unlocks it when it is locked: OK applies the entered PIN the way
// isLocked() calls for, empties the field and closes. The PIN goes to apply only; nothing here logs it.
class TLockForm final : public QDialog {
    Q_OBJECT

public:
    TLockForm(std::function<bool()> isLocked, std::function<void(bool lock, QString pin)> apply,
              std::function<void()> openConfiguration, QWidget* parent = nullptr);
    ~TLockForm() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyPin();

    std::unique_ptr<Ui::TLockForm> m_ui;
    std::function<bool()> m_isLocked;
    std::function<void(bool lock, QString pin)> m_apply;
    std::function<void()> m_openConfiguration;
};
