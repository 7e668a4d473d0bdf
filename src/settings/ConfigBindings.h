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

// The gate id as the SMS page's choice: the list's index (0 none, 1..64) or, for a larger id, the id itself,
// which the list keeps unshown; -1 when the stored id is no number.
int gateChoice(const QString& gateId);
