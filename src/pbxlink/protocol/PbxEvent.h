#pragma once

#include <QString>

// An event line of the exchange for this extension, after its tag: the tag and the text that follows it.
struct PbxEvent {
    enum class Tag {
        DialTone,
        Connected,
        Released,
        Ringing,
        Echo,
        AdviceOfCharge,
        Status,
        RecordingBegun,
        RecordingChanged,
        RecordingEnded
    };

    Tag tag = Tag::Status;
    QString parameters; // the text after the tag and its space

    // The parameter at index (0 based): the text up to the next space. A dialling-sequence token (beginning with
    // "/") loses every "_". Empty when there is no such parameter.
    QString parameter(int index) const;

    // The rest of the line from the parameter at index on.
    QString restFrom(int index) const;
};
