#include "phone/RecordingNotice.h"

#include "settings/Lang.h"

RecordingNotice RecordingNotice::forCode(int code, const QString& text)
{
    switch (code) {
    case 0:
        return {Lang::_("Call has been recorded"), Lang::_("Last phone call has been recorded on disc.")};
    case 2:
        return {Lang::_("Recording error"), Lang::_("Record's missing:") + u' ' + text};
    case 3:
        return {Lang::_("Recording captured"), Lang::_("Last part of the call has been recorded on disc.")};
    case 4:
        return {Lang::_("Recording aborted"), Lang::_("Recording has been stopped.")};
    default:
        return {Lang::_("Recording error"), Lang::_("Warning!") + u' ' + text};
    }
}
