#include "sms/ui/TPhoneBookSMSForm.h"

#include "settings/Lang.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

TPhoneBookSMSForm::TPhoneBookSMSForm(SmsBookPort& books, QWidget* parent)
    : QDialog(parent)
    , m_picker(books)
    , m_useGroup(Lang::_("Group:"))
    , m_choose(QStringLiteral(">"))
    , m_chooseAll(QStringLiteral(">>"))
    , m_remove(QStringLiteral("<"))
    , m_removeAll(QStringLiteral("<<"))
    , m_ok(Lang::_("&OK"))
    , m_cancel(Lang::_("Cancel"))
{
    setWindowTitle(Lang::_("Norvel TelephoneTervo - Phone book"));
    m_book.addItems({Lang::_("Private"), Lang::_("Public")});
    m_kind.addItems({Lang::_("All"), Lang::_("Extensions"), Lang::_("Companys"), Lang::_("Homes"), Lang::_("Mobiles"),
                     Lang::_("Others nr")});
    m_group.setEnabled(false);
    m_shown.setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_recipients.setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_ok.setDefault(true);

    auto* moves = new QVBoxLayout;
    moves->addStretch();
    for (QPushButton* button : {&m_choose, &m_chooseAll, &m_remove, &m_removeAll}) {
        moves->addWidget(button);
    }
    moves->addStretch();
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(Lang::_("Phone books:")), 0, 0);
    layout->addWidget(&m_book, 0, 1);
    layout->addWidget(new QLabel(Lang::_("Search by name:")), 1, 0);
    layout->addWidget(&m_search, 1, 1);
    layout->addWidget(&m_kind, 2, 0);
    layout->addWidget(&m_useGroup, 3, 0);
    layout->addWidget(&m_group, 3, 1);
    layout->addWidget(new QLabel(Lang::_("Recepient list:")), 0, 3);
    layout->addWidget(&m_shown, 4, 0, 1, 2);
    layout->addLayout(moves, 4, 2);
    layout->addWidget(&m_recipients, 1, 3, 4, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(&m_ok);
    buttons->addWidget(&m_cancel);
    layout->addLayout(buttons, 5, 0, 1, 4);

    connect(&m_book, &QComboBox::currentIndexChanged, this, &TPhoneBookSMSForm::bookChosen);
    connect(&m_search, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_picker.setSearchText(text);
        showLists();
    });
    connect(&m_kind, &QComboBox::currentIndexChanged, this, [this](int kind) {
        m_picker.setKind(kind);
        showLists();
    });
    connect(&m_useGroup, &QCheckBox::toggled, this, &TPhoneBookSMSForm::groupChanged);
    connect(&m_group, &QComboBox::currentIndexChanged, this, &TPhoneBookSMSForm::groupChanged);
    connect(&m_choose, &QPushButton::clicked, this, [this] {
        m_picker.choose(selectedRows(m_shown));
        showLists();
    });
    connect(&m_chooseAll, &QPushButton::clicked, this, [this] {
        m_picker.chooseAll();
        showLists();
    });
    connect(&m_remove, &QPushButton::clicked, this, [this] {
        m_picker.remove(selectedRows(m_recipients));
        showLists();
    });
    connect(&m_removeAll, &QPushButton::clicked, this, [this] {
        m_picker.removeAll();
        showLists();
    });
    connect(&m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(&m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    bookChosen();
}

void TPhoneBookSMSForm::bookChosen()
{
    m_picker.setBook(m_book.currentIndex());
    {
        const QSignalBlocker blocker(m_group);
        m_group.clear();
        for (const SmsBookPort::Group& group : m_picker.groups()) {
            m_group.addItem(group.name, group.id);
        }
    }
    groupChanged();
}

void TPhoneBookSMSForm::groupChanged()
{
    m_group.setEnabled(m_useGroup.isChecked());
    const QVariant group = m_group.currentData();
    m_picker.setGroup(m_useGroup.isChecked() && group.isValid() ? std::optional<int>(group.toInt()) : std::nullopt);
    showLists();
}

void TPhoneBookSMSForm::showLists()
{
    m_shown.clear();
    for (const SmsBookPort::Number& number : m_picker.shown()) {
        m_shown.addItem(rowText(number));
    }
    m_recipients.clear();
    for (const SmsBookPort::Number& number : m_picker.chosen()) {
        m_recipients.addItem(rowText(number));
    }
}

QList<int> TPhoneBookSMSForm::selectedRows(const QListWidget& list)
{
    QList<int> rows;
    for (const QListWidgetItem* item : list.selectedItems()) {
        rows.append(list.row(item));
    }
    return rows;
}

QString TPhoneBookSMSForm::rowText(const SmsBookPort::Number& number)
{
    return number.name + QStringLiteral("  ") + number.number;
}
