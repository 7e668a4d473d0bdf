#pragma once

#include "pbxlink/protocol/ConsoleColour.h"

#include <QString>

// Where the link writes its console lines (already masked). The network console window implements it.
class NetworkConsolePort {
public:
    virtual ~NetworkConsolePort() = default;

    virtual void write(const QString& line, ConsoleColour colour) = 0;
};
