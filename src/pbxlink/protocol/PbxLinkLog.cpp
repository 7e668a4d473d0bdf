#include "pbxlink/protocol/PbxLinkLog.h"

Q_LOGGING_CATEGORY(lcPbxLink, "tervo.pbxlink")
