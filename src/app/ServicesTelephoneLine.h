#pragma once

#include "pbxlink/calls/TelephoneServices.h"
#include "phone/TelephoneLine.h"

// The telephone window's line over the link's telephone services.
class ServicesTelephoneLine final : public TelephoneLine {
public:
    explicit ServicesTelephoneLine(TelephoneServices& services)
        : m_services(services)
    {
    }

    bool answer() override { return m_services.answer(); }
    bool reject() override { return m_services.reject(); }
    bool putDown() override { return m_services.putDown(); }
    bool dialDigits(const QString& digits) override { return m_services.dialDigits(digits); }
    bool returnToCall() override { return m_services.returnToCall(); }
    bool park() override { return m_services.park(); }
    bool flash() override { return m_services.flash(); }
    bool conference() override { return m_services.conference(); }
    bool callPickUp() override { return m_services.callPickUp(); }
    bool urgentCall() override { return m_services.urgentCall(); }
    bool maliciousCall() override { return m_services.maliciousCall(); }
    bool setDoNotDisturb(bool on) override { return m_services.setDoNotDisturb(on); }
    bool setLock(bool lock, const QString& pin) override { return m_services.setLock(lock, pin); }
    bool setForwarding(bool on) override { return m_services.setForwarding(on); }

private:
    TelephoneServices& m_services;
};
