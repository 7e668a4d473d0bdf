#include "sms/ui/TSetCommentAndPinGateForm.h"

#include "settings/Lang.h"

#include <QFormLayout>
#include <QHBoxLayout>

TSetCommentAndPinGateForm::TSetCommentAndPinGateForm(int gate, const QString& comment, const QString& pin,
                                                     QWidget* parent)
    : QDialog(parent)
    , m_gate(gate)
    , m_comment(comment)
    , m_pin(pin.left(PinLength))
    , m_ok(Lang::_("&OK"))
    , m_cancel(Lang::_("Cancel"))
{
    setWindowTitle(Lang::_("Set data GSM gate"));
    m_pin.setMaxLength(PinLength);
    m_pin.setEchoMode(QLineEdit::Password);
    m_ok.setDefault(true);

    auto* fields = new QFormLayout;
    fields->addRow(new QLabel(Lang::_("Gate GSM ") + QString::number(gate) + u':'));
    fields->addRow(Lang::_("Comment:"), &m_comment);
    fields->addRow(Lang::_("PIN:"), &m_pin);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(&m_ok);
    buttons->addWidget(&m_cancel);
    fields->addRow(buttons);
    setLayout(fields);

    connect(&m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(&m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}
