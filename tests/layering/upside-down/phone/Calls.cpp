#include "pbxlink/calls/TelephoneServices.h"
