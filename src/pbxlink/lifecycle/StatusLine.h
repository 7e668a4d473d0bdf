#pragma once

#include <QString>

// A status message of a link for the telephone window's status label: a translated text, its colour (an RGB
// value) and a tag that tells normal texts (16) from the service-mode refusal (17).
struct StatusLine {
    static constexpr int NormalTag = 16;
    static constexpr int ServiceModeTag = 17;

    QString text;
    unsigned colour = 0x000000;
    int tag = NormalTag;

    bool operator==(const StatusLine&) const = default;
};
