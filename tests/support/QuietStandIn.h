#pragma once

#include "pbxsim/PbxSimulator.h"

// The settings of a stand-in that the tests run in their own process: a free loopback port, no discovery, no log.
inline pbxsim::SimulatorConfig quietStandInConfig()
{
    pbxsim::SimulatorConfig config;
    config.port = 0;
    config.discovery = false;
    config.quiet = true;
    return config;
}
