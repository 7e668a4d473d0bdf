#include "app/BookTransferAssembly.h"

#include "books/ui/transfer/TExportBookForm.h"
#include "books/ui/transfer/TImportBookForm.h"

BookTransferAssembly::BookTransferAssembly(TdbCore& core)
    : m_core(core)
{
}

BookTransferAssembly::~BookTransferAssembly()
{
    // Windows without a parent are this object's to close.
    delete m_export.data();
    delete m_import.data();
}

void BookTransferAssembly::openExport(QWidget* parent)
{
    show(m_export, [this, parent] { return new TExportBookForm(m_core, m_dialogs, parent); });
}

void BookTransferAssembly::openImport(QWidget* parent)
{
    show(m_import, [this, parent] { return new TImportBookForm(m_core, m_dialogs, parent); });
}

void BookTransferAssembly::show(QPointer<BookTransferWindow>& window, const std::function<BookTransferWindow*()>& make)
{
    if (window.isNull()) {
        window = make();
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
}
