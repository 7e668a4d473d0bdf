#include "books/ui/transfer/TransferColumnChoice.h"

#include "books/transfer/TransferColumns.h"
#include "settings/Lang.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TransferColumnChoice::TransferColumnChoice(const QString& title, std::function<QString(int)> text, QWidget* parent)
    : QWidget(parent)
    , m_text(std::move(text))
    , m_available(new QListWidget(this))
    , m_chosen(new QListWidget(this))
    , m_add(new QPushButton(QStringLiteral(">"), this))
    , m_addAll(new QPushButton(QStringLiteral(">>"), this))
    , m_remove(new QPushButton(QStringLiteral("<"), this))
    , m_removeAll(new QPushButton(QStringLiteral("<<"), this))
{
    for (QListWidget* list : {m_available, m_chosen}) {
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setMinimumWidth(200);
    }
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {m_add, m_addAll, m_remove, m_removeAll}) {
        button->setFixedWidth(40);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(title, this), 0, 2);
    layout->addWidget(m_available, 1, 0);
    layout->addLayout(buttons, 1, 1);
    layout->addWidget(m_chosen, 1, 2);

    connect(m_add, &QPushButton::clicked, this, [this] { moveSelected(*m_available, *m_chosen); });
    connect(m_remove, &QPushButton::clicked, this, [this] { moveSelected(*m_chosen, *m_available); });
    connect(m_addAll, &QPushButton::clicked, this, [this] { moveAll(*m_available, *m_chosen); });
    connect(m_removeAll, &QPushButton::clicked, this, [this] { moveAll(*m_chosen, *m_available); });
    connect(m_available, &QListWidget::itemDoubleClicked, this, [this] { moveSelected(*m_available, *m_chosen); });
    connect(m_chosen, &QListWidget::itemDoubleClicked, this, [this] { moveSelected(*m_chosen, *m_available); });
    setChosenCodes(TransferColumns::allCodes());
}

QList<int> TransferColumnChoice::chosenCodes() const
{
    QList<int> codes;
    for (int row = 0; row < m_chosen->count(); ++row) {
        codes.append(m_chosen->item(row)->data(Qt::UserRole).toInt());
    }
    return codes;
}

void TransferColumnChoice::setChosenCodes(const QList<int>& codes)
{
    m_available->clear();
    m_chosen->clear();
    for (const int code : codes) {
        addEntry(*m_chosen, code);
    }
    for (const int code : TransferColumns::allCodes()) {
        if (!codes.contains(code)) {
            addEntry(*m_available, code);
        }
    }
    updateButtons();
    emit choiceChanged();
}

void TransferColumnChoice::moveSelected(QListWidget& from, QListWidget& to)
{
    const QList<QListWidgetItem*> selected = from.selectedItems();
    // In the order of the list, not of the clicks.
    for (int row = 0; row < from.count();) {
        QListWidgetItem* item = from.item(row);
        if (selected.contains(item)) {
            place(to, from.takeItem(row));
        } else {
            ++row;
        }
    }
    updateButtons();
    emit choiceChanged();
}

void TransferColumnChoice::moveAll(QListWidget& from, QListWidget& to)
{
    while (from.count() > 0) {
        place(to, from.takeItem(0));
    }
    updateButtons();
    emit choiceChanged();
}

void TransferColumnChoice::place(QListWidget& list, QListWidgetItem* item)
{
    // The chosen columns keep the user's order; those left out stand in their natural order.
    int row = list.count();
    if (&list == m_available) {
        const int code = item->data(Qt::UserRole).toInt();
        while (row > 0 && list.item(row - 1)->data(Qt::UserRole).toInt() > code) {
            --row;
        }
    }
    list.insertItem(row, item);
}

void TransferColumnChoice::addEntry(QListWidget& list, int code)
{
    auto* item = new QListWidgetItem(m_text(code));
    item->setData(Qt::UserRole, code);
    list.addItem(item);
}

void TransferColumnChoice::updateButtons()
{
    m_add->setEnabled(m_available->count() > 0);
    m_addAll->setEnabled(m_available->count() > 0);
    m_remove->setEnabled(m_chosen->count() > 0);
    m_removeAll->setEnabled(m_chosen->count() > 0);
}
