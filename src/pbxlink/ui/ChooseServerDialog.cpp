#include "pbxlink/ui/ChooseServerDialog.h"

#include "settings/Lang.h"
#include "ui_ChooseServerDialog.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMessageBox>

ChooseServerDialog::ChooseServerDialog(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::TChooseServerForm>())
{
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    retranslate();
    connect(m_ui->OKButton, &QPushButton::clicked, this, &ChooseServerDialog::chooseSelected);
    connect(m_ui->ServerListBox, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { chooseRow(m_ui->ServerListBox->row(item)); });
}

ChooseServerDialog::~ChooseServerDialog() = default;

void ChooseServerDialog::setServers(const QList<DiscoveredServer>& servers)
{
    m_ui->ServerListBox->clear();
    m_ports.clear();
    for (const DiscoveredServer& server : servers) {
        m_ui->ServerListBox->addItem(server.address);
        m_ports.append(server.port);
    }
    // Changing the flags of a visible window hides it; a visible dialog still has the flag anyway.
    if (!isVisible()) {
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
}

void ChooseServerDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        retranslate();
    }
    QDialog::changeEvent(event);
}

void ChooseServerDialog::chooseSelected()
{
    const QList<QListWidgetItem*> selected = m_ui->ServerListBox->selectedItems();
    if (selected.isEmpty()) {
        QMessageBox warning(QMessageBox::Warning, QGuiApplication::applicationDisplayName(),
                            Lang::_("No server to connect."), QMessageBox::Ok, this);
        warning.setWindowFlag(Qt::WindowStaysOnTopHint, true);
        warning.exec();
        return;
    }
    chooseRow(m_ui->ServerListBox->row(selected.first()));
}

void ChooseServerDialog::chooseRow(int row)
{
    if (row < 0 || row >= m_ports.size()) {
        return;
    }
    const DiscoveredServer server{m_ui->ServerListBox->item(row)->text(), m_ports.at(row)};
    emit serverChosen(server, m_ui->AlwaysAskCheckBox->isChecked());
    hide();
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
}

void ChooseServerDialog::retranslate()
{
    setWindowTitle(Lang::_("Choose server"));
}
