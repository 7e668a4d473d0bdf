#pragma once

#include "settings/ServerAddress.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <array>
#include <optional>

// The server address as four parts of an IPv4 address. A host name from the settings is shown beside the empty
// parts and kept while they stay empty.
class ServerAddressEdit final : public QWidget {
    Q_OBJECT

public:
    explicit ServerAddressEdit(QWidget* parent = nullptr);

    void setAddress(const QString& address);
    // The address the parts give (or the host name kept); nothing when the parts make no address.
    std::optional<QString> address() const { return ServerAddress::join(parts(), m_hostName); }
    ServerAddress::Parts parts() const;
    QLineEdit& part(int index) { return *m_parts[static_cast<std::size_t>(index)]; }

private:
    std::array<QLineEdit*, 4> m_parts{};
    QLabel* m_hostLabel;
    QString m_hostName;
};
