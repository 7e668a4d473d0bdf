#include "pbxlink/ui/TAccForm.h"

#include "ui_TAccForm.h"

#include <QEvent>

TAccForm::TAccForm(std::function<void(QString account, QString pin)> accountOn, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::TAccForm>())
    , m_accountOn(std::move(accountOn))
{
    m_ui->setupUi(this);
    connect(m_ui->OKButton, &QPushButton::clicked, this, &TAccForm::registerAccount);
}

TAccForm::~TAccForm() = default;

void TAccForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
    }
    QDialog::changeEvent(event);
}

void TAccForm::registerAccount()
{
    const QString pin = m_ui->AccKeyEdit->text();
    m_ui->AccKeyEdit->clear();
    m_accountOn(m_ui->AccNrEdit->text(), pin);
    accept();
}
