#include "pbxlink/calls/CallState.h"

std::optional<FeatureStatus> FeatureStatus::parse(const QString& parameters)
{
    // The six flags that mean something sit at every second character; the seventh is reserved.
    constexpr qsizetype LastUsedFlag = 10;
    if (parameters.size() <= LastUsedFlag) {
        return std::nullopt;
    }
    const auto on = [&parameters](qsizetype position) {
        const QChar flag = parameters.at(position);
        return flag == flag.toUpper();
    };
    FeatureStatus status;
    const QChar hook = parameters.at(0);
    if (hook != u'o') {
        status.hook = on(0) ? Hook::Lifted : Hook::OnHook;
    }
    status.forwarding = on(2);
    status.doNotDisturb = on(4);
    status.locked = on(6);
    status.accountCode = on(8);
    status.parked = on(10);
    return status;
}
