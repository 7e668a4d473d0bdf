#pragma once

#include "books/ui/transfer/BookTransferWindow.h"

// "Export a phone book": the current book into a file.
class TExportBookForm final : public BookTransferWindow {
    Q_OBJECT

public:
    TExportBookForm(TdbCore& core, BookDialogsPort& dialogs, QWidget* parent = nullptr)
        : BookTransferWindow(Direction::Export, core, dialogs, parent)
    {
    }
};
