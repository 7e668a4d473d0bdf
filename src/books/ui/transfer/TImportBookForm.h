#pragma once

#include "books/ui/transfer/BookTransferWindow.h"

// "Import a phone book": the contacts of a file added to the current book.
class TImportBookForm final : public BookTransferWindow {
    Q_OBJECT

public:
    TImportBookForm(TdbCore& core, BookDialogsPort& dialogs, QWidget* parent = nullptr)
        : BookTransferWindow(Direction::Import, core, dialogs, parent)
    {
    }
};
