#include "pbxlink/ui/TFwdForm.h"

#include "ui_TFwdForm.h"

#include <QEvent>

// Enter in the number field reaches the dialog, which presses OK, its default button.
TFwdForm::TFwdForm(std::function<void(QString number)> deflect, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::TFwdForm>())
    , m_deflect(std::move(deflect))
{
    m_ui->setupUi(this);
    connect(m_ui->OKButton, &QPushButton::clicked, this, &TFwdForm::forward);
}

TFwdForm::~TFwdForm() = default;

void TFwdForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
    }
    QDialog::changeEvent(event);
}

void TFwdForm::forward()
{
    const QString number = m_ui->FwdEdit->text().trimmed();
    if (number.isEmpty()) {
        return;
    }
    m_deflect(number);
    m_ui->FwdEdit->clear();
    accept();
}
