#include "pbxlink/protocol/LineFramer.h"
