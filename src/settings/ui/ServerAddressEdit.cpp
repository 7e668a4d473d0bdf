#include "settings/ui/ServerAddressEdit.h"

#include <QHBoxLayout>
#include <QRegularExpressionValidator>

ServerAddressEdit::ServerAddressEdit(QWidget* parent)
    : QWidget(parent)
    , m_hostLabel(new QLabel(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* validator = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), this);
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        if (i > 0) {
            layout->addWidget(new QLabel(QStringLiteral("."), this));
        }
        auto* part = new QLineEdit(this);
        part->setObjectName(QStringLiteral("EditAddrIP%1").arg(i + 1));
        part->setMaxLength(3);
        part->setValidator(validator);
        part->setMaximumWidth(part->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        part->setAlignment(Qt::AlignCenter);
        layout->addWidget(part);
        m_parts[i] = part;
    }
    m_hostLabel->setEnabled(false);
    layout->addWidget(m_hostLabel);
    layout->addStretch();
}

void ServerAddressEdit::setAddress(const QString& address)
{
    const std::optional<ServerAddress::Parts> parts = ServerAddress::split(address);
    m_hostName = parts ? QString() : address;
    m_hostLabel->setText(m_hostName);
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        m_parts[i]->setText(parts ? (*parts)[i] : QString());
    }
}

ServerAddress::Parts ServerAddressEdit::parts() const
{
    ServerAddress::Parts parts;
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        parts[i] = m_parts[i]->text();
    }
    return parts;
}
