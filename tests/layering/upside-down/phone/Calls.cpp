#include "pbxlink/TelephoneServices.h"
