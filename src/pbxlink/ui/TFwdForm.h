#pragma once

#include <QDialog>
#include <functional>
#include <memory>

namespace Ui {
class TFwdForm;
}

// Asks for the number to forward the ringing call to. OK, or Enter in the number field, hands the number on,
// empties the field and closes; without a number nothing happens.
class TFwdForm final : public QDialog {
    Q_OBJECT

public:
    explicit TFwdForm(std::function<void(QString number)> deflect, QWidget* parent = nullptr);
    ~TFwdForm() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void forward();

    std::unique_ptr<Ui::TFwdForm> m_ui;
    std::function<void(QString number)> m_deflect;
};
