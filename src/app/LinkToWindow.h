#pragma once

#include "pbxlink/lifecycle/LinkNotices.h"
#include "phone/TelephoneWindowLogic.h"

// Connects what the PBX link tells to the telephone window that shows it.
class LinkToWindow final {
public:
    static void connect(const LinkNotices& link, TelephoneWindowLogic& window)
    {
        using Window = TelephoneWindowLogic;
        QObject::connect(&link, &LinkNotices::windowStateChosen, &window, &Window::setState);
        QObject::connect(&link, &LinkNotices::statusChanged, &window, &Window::setStatus);
        QObject::connect(&link, &LinkNotices::unavailableTextsSet, &window, &Window::setUnavailableTexts);
        QObject::connect(&link, &LinkNotices::unavailableTextsCleared, &window, &Window::clearUnavailableTexts);
        QObject::connect(&link, &LinkNotices::missedCalls, &window, [&window] { window.setMissed(true); });
        QObject::connect(&link, &LinkNotices::idleDisplayStale, &window, &Window::refreshIdleDisplay);
        QObject::connect(&link, &LinkNotices::connectionNoteCleared, &window, &Window::clearConnectionNote);
        QObject::connect(&link, &LinkNotices::readyForStartupRequest, &window, &Window::runPendingStartupRequest);
        QObject::connect(&link, &LinkNotices::handsetChanged, &window, &Window::setHandsetLifted);
        QObject::connect(&link, &LinkNotices::partyConnected, &window, &Window::showConnectedNumber);
        QObject::connect(&link, &LinkNotices::digitsDialled, &window, &Window::showDialledDigits);
        QObject::connect(&link, &LinkNotices::incomingCall, &window, &Window::showIncomingCall);
        QObject::connect(&link, &LinkNotices::waitingCall, &window, &Window::showWaitingCall);
        QObject::connect(&link, &LinkNotices::featureStatusChanged, &window, &Window::showFeatureStatus);
        QObject::connect(&link, &LinkNotices::recordingStarted, &window, &Window::showRecordingIndicator);
        QObject::connect(&link, &LinkNotices::recordingFinished, &window, &Window::showRecordingMessage);
        QObject::connect(&link, &LinkNotices::dialRefused, &window, &Window::cancelCall);
        QObject::connect(&link, &LinkNotices::dialledNumberConnected, &window, &Window::addNumber);
    }
};
