#include "phone/Anything.h"
