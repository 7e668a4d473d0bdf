#pragma once

#include <QString>

// The telephone window's notices about recordings: what the text line shows and its hint, by outcome code
// (0 recorded, 1 failed, 2 file missing, 3 last part recorded, 4 stopped). text is the error text of code 1 and
// the file name of code 2.
struct RecordingNotice {
    QString shown;
    QString hint;

    static RecordingNotice forCode(int code, const QString& text);
};
