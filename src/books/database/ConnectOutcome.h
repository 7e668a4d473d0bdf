#pragma once

#include <QString>

// The result of connecting a book or the history. ok is false when the open failed; error then says why, in the
// user's language or as the engine reported it. A public book without a folder is ok and stays closed.
struct ConnectOutcome {
    bool ok = false;
    QString error;
    // The book left its default folder in this open: the current book is to be selected again.
    bool leftDefaults = false;

    static ConnectOutcome failed(const QString& error) { return {false, error, false}; }
};
