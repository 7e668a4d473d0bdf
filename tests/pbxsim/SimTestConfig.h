#pragma once

#include "pbxsim/SimulatorConfig.h"

// A stand-in configuration for tests: free loopback ports, no discovery, short delays, no traffic log.
inline pbxsim::SimulatorConfig simTestConfig()
{
    pbxsim::SimulatorConfig config;
    config.port = 0;
    config.discovery = false;
    config.dialDelayMs = 5;
    config.faults.splitPauseMs = 1;
    config.busyNumbers = {QStringLiteral("555")};
    config.quiet = true;
    return config;
}
