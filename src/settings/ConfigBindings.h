#pragma once

#include "settings/SettingsRecord.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

// One control of the configuration dialog and the option it edits: the control's object name, the kind of value
// it holds, and how that value is read from and written into the settings record. The dialog fills and reads its
// controls only through this table, so a control and its option cannot drift apart.
struct ConfigBinding {
    enum class Kind {
        Check,  // a check box: bool
        Text,   // a line edit: QString
        Number, // a spin box: int
        Choice, // a combo box or a group of radio buttons: the index of the chosen item, int
    };

    QString control;
    Kind kind;
    std::function<QVariant(const SettingsRecord&)> read;
    std::function<void(SettingsRecord&, const QVariant&)> write;
};

// Every control of the dialog that edits a settings option, page by page.
const std::vector<ConfigBinding>& configBindings();

// The gate id of the SMS page's choice (1..64; 0 when none is set or the id is no number in that range).
int gateChoice(const QString& gateId);
