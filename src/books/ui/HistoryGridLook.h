#pragma once

#include <QIcon>
#include <QIdentityProxyModel>
#include <array>

// The history's rows as the grid draws them: unseen entries in bold, the markers and icons of the first four
// columns, and the legend's text as the kind icon's tool tip.
class HistoryGridLook final : public QIdentityProxyModel {
    Q_OBJECT

public:
    explicit HistoryGridLook(QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The legend's text of an entry kind ("incoming missed", "sent", ...).
    static QString kindText(int kind);

private:
    // Drawn once: the grid asks for them at every paint.
    std::array<QIcon, 9> m_kinds;
    QIcon m_archivedCall;
    QIcon m_archivedSms;
    QIcon m_recording;
    QIcon m_unseen;
    QIcon m_missed;
};
