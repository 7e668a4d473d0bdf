#pragma once

#include <QDialog>
#include <functional>
#include <memory>

namespace Ui {
class TAccForm;
}

// Asks for the account number and its PIN that the next calls are charged to. OK hands both on, empties the PIN
// field and closes.
class TAccForm final : public QDialog {
    Q_OBJECT

public:
    explicit TAccForm(std::function<void(QString account, QString pin)> accountOn, QWidget* parent = nullptr);
    ~TAccForm() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void registerAccount();

    std::unique_ptr<Ui::TAccForm> m_ui;
    std::function<void(QString account, QString pin)> m_accountOn;
};
