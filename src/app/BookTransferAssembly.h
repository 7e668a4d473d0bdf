#pragma once

#include "books/ui/BookDialogs.h"

#include <QPointer>
#include <functional>

class BookTransferWindow;
class QWidget;
class TdbCore;

// The export and import wizards of the current phone book, opened from the book window ("Export...",
// "Import..."). One of each is open at a time: opening it again brings it to the front.
class BookTransferAssembly final {
public:
    explicit BookTransferAssembly(TdbCore& core);
    ~BookTransferAssembly();
    BookTransferAssembly(const BookTransferAssembly&) = delete;
    BookTransferAssembly& operator=(const BookTransferAssembly&) = delete;

    void openExport(QWidget* parent = nullptr);
    void openImport(QWidget* parent = nullptr);

    // The openers the book window takes.
    std::function<void()> exportOpener()
    {
        return [this] {
            openExport();
        };
    }
    std::function<void()> importOpener()
    {
        return [this] {
            openImport();
        };
    }

private:
    void show(QPointer<BookTransferWindow>& window, const std::function<BookTransferWindow*()>& make);

    TdbCore& m_core;
    BookDialogs m_dialogs;
    QPointer<BookTransferWindow> m_export;
    QPointer<BookTransferWindow> m_import;
};
