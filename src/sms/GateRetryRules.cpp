#include "sms/GateRetryRules.h"

#include "settings/Lang.h"

GateRetryRules::GateRetryRules(std::function<int(int)> random)
    : m_random(std::move(random))
{
}

GateRetryRules::Decision GateRetryRules::apply(Rule rule)
{
    switch (rule) {
    case Rule::Busy:
        return busy();
    case Rule::CardBusy:
        return cardBusy();
    case Rule::NotLogged:
        return notLogged();
    case Rule::ModuleStarting:
        return moduleStarting();
    }
    return {};
}

void GateRetryRules::sendSucceeded()
{
    counter(Rule::Busy) = 0;
    counter(Rule::CardBusy) = 0;
}

void GateRetryRules::reset()
{
    m_counts.fill(0);
}

// The exchange's line is busy: retry soon at first, then back off to 2 s and 5 s, each with a little spread so
// that clients sharing the gate do not retry in step.
GateRetryRules::Decision GateRetryRules::busy()
{
    const int refusals = ++counter(Rule::Busy);
    if (refusals >= BusyGiveUp) {
        counter(Rule::Busy) = 0;
        return {false, NormalIntervalMs, true, Lang::_("Unable to send sms.")};
    }
    const int base = refusals <= 5 ? 1000 : refusals <= 7 ? 2000 : 5000;
    return {true, base + m_random(BusySpreadMs), false, {}};
}

GateRetryRules::Decision GateRetryRules::cardBusy()
{
    if (++counter(Rule::CardBusy) >= CardBusyGiveUp) {
        counter(Rule::CardBusy) = 0;
        return {false, NormalIntervalMs, true, Lang::_("Unable to send sms - SMS card is busy")};
    }
    return {true, NormalIntervalMs, false, {}};
}

GateRetryRules::Decision GateRetryRules::notLogged()
{
    if (++counter(Rule::NotLogged) >= NotLoggedGiveUp) {
        counter(Rule::NotLogged) = 0;
        return {false, NormalIntervalMs, true, Lang::_("Unable to send sms.")};
    }
    return {true, NormalIntervalMs, false, {}};
}

// The first time the module is still starting it gets half a minute; the second time it is taken to be broken.
GateRetryRules::Decision GateRetryRules::moduleStarting()
{
    if (++counter(Rule::ModuleStarting) >= 2) {
        counter(Rule::ModuleStarting) = 0;
        return {false, NormalIntervalMs, true, Lang::_("Sms module is in error state!")};
    }
    return {true, ModuleStartingWaitMs, false,
            Lang::_("Sms module is about to initiate now. Please wait a few seconds!")};
}
