#pragma once

#include "pbxlink/lifecycle/LinkNotices.h"
