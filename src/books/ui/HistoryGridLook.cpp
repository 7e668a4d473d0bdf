#include "books/ui/HistoryGridLook.h"

#include "books/history/HistoryTableModel.h"
#include "books/ui/HistoryIcons.h"
#include "settings/Lang.h"

#include <QFont>

using Lang::_;

HistoryGridLook::HistoryGridLook(QObject* parent)
    : QIdentityProxyModel(parent)
    , m_archivedCall(HistoryIcons::archived(false))
    , m_archivedSms(HistoryIcons::archived(true))
    , m_recording(HistoryIcons::recording())
    , m_unseen(HistoryIcons::unseen())
    , m_missed(HistoryIcons::missed())
{
    for (std::size_t kind = 0; kind < m_kinds.size(); ++kind) {
        m_kinds[kind] = HistoryIcons::kind(static_cast<int>(kind));
    }
}

QString HistoryGridLook::kindText(int kind)
{
    switch (kind) {
    case HistoryKind::OutgoingNotAnswered:
        return _("outgoing missed");
    case HistoryKind::IncomingMissed:
        return _("incoming missed");
    case HistoryKind::IncomingAnswered:
        return _("incoming");
    case HistoryKind::OutgoingAnswered:
        return _("outgoing");
    case HistoryKind::SmsSent:
        return _("sent");
    case HistoryKind::SmsThrownAside:
        return _("thrown aside");
    case HistoryKind::SmsDelivered:
        return _("delivered");
    case HistoryKind::SmsNotDelivered:
        return _("not delivered");
    case HistoryKind::SmsTakenBack:
        return _("taken back");
    default:
        return {};
    }
}

QVariant HistoryGridLook::data(const QModelIndex& index, int role) const
{
    if (role == Qt::FontRole) {
        if (!index.data(HistoryTableModel::BoldRole).toBool()) {
            return {};
        }
        QFont font;
        font.setBold(true);
        return font;
    }
    if (role != Qt::DecorationRole && role != Qt::ToolTipRole) {
        return QIdentityProxyModel::data(index, role);
    }
    const int kind = index.data(HistoryTableModel::KindRole).toInt();
    const bool archived = index.data(HistoryTableModel::ArchivedRole).toBool();
    switch (index.column()) {
    case HistoryTableModel::BoldColumn:
        if (index.data(HistoryTableModel::BoldRole).toBool()) {
            return role == Qt::DecorationRole ? QVariant(m_unseen) : QVariant();
        }
        return {};
    case HistoryTableModel::MissedColumn:
        if (index.data(HistoryTableModel::MissedRole).toBool()) {
            return role == Qt::DecorationRole ? QVariant(m_missed) : QVariant();
        }
        return {};
    case HistoryTableModel::KindColumn:
        if (role == Qt::ToolTipRole) {
            return kindText(kind);
        }
        if (archived) {
            return HistoryKind::isSms(kind) ? m_archivedSms : m_archivedCall;
        }
        return kind >= 0 && kind < static_cast<int>(m_kinds.size()) ? QVariant(m_kinds[static_cast<std::size_t>(kind)])
                                                                    : QVariant();
    case HistoryTableModel::RecordingColumn:
        if (index.data(HistoryTableModel::RecordingRole).toBool()) {
            return role == Qt::DecorationRole ? QVariant(m_recording) : QVariant(_("saved call"));
        }
        return {};
    default:
        return QIdentityProxyModel::data(index, role);
    }
}
