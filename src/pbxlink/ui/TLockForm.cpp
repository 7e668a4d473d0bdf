#include "pbxlink/ui/TLockForm.h"

#include "ui_TLockForm.h"

#include <QEvent>

TLockForm::TLockForm(std::function<bool()> isLocked, std::function<void(bool lock, QString pin)> apply,
                     std::function<void()> openConfiguration, QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::TLockForm>())
    , m_isLocked(std::move(isLocked))
    , m_apply(std::move(apply))
    , m_openConfiguration(std::move(openConfiguration))
{
    m_ui->setupUi(this);
    connect(m_ui->OKButton, &QPushButton::clicked, this, &TLockForm::applyPin);
    connect(m_ui->ConfigurationButton, &QPushButton::clicked, this, [this] { m_openConfiguration(); });
}

TLockForm::~TLockForm() = default;

void TLockForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
    }
    QDialog::changeEvent(event);
}

void TLockForm::applyPin()
{
    const QString pin = m_ui->LockNrEdit->text();
    m_ui->LockNrEdit->clear();
    m_apply(!m_isLocked(), pin);
    accept();
}
