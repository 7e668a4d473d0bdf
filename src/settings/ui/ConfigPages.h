#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class QStackedWidget;
class QWidget;

// The pages of the configuration dialog and their controls, named as the binding table and the dialog find them.
// The pages only show; what a control means is in the binding table, what a button does is in TConfigForm.
namespace ConfigPages {

struct Page {
    QString name;   // object name of the page
    QString parent; // the page whose node holds this one in the tree, or empty
    QString caption;
};

// Adds every page to the stack, in the order of the tree; answers the pages.
std::vector<Page> build(QStackedWidget& stack);

} // namespace ConfigPages
