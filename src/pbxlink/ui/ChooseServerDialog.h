#pragma once

#include "pbxlink/discovery/DiscoveryAnswer.h"

#include <QDialog>
#include <QList>
#include <memory>

class QListWidgetItem;

namespace Ui {
class TChooseServerForm;
}

// Lets the user pick one of several servers that answered the discovery, and whether to keep it as the fixed
// server for the next start. Stays on top while shown; with no parent, QDialog centres it on the screen.
class ChooseServerDialog final : public QDialog {
    Q_OBJECT

public:
    explicit ChooseServerDialog(QWidget* parent = nullptr);
    ~ChooseServerDialog() override;

    // Lists one address per line, none selected, and puts the dialog on top again for its next showing.
    void setServers(const QList<DiscoveredServer>& servers);

signals:
    void serverChosen(const DiscoveredServer& server, bool fixedServer);

protected:
    void changeEvent(QEvent* event) override;

private:
    void chooseSelected();
    void chooseRow(int row);
    void retranslate();

    std::unique_ptr<Ui::TChooseServerForm> m_ui;
    QList<int> m_ports; // parallel to the lines of the list
};
