#pragma once

#include "pbxlink/calls/CallState.h"
#include "pbxlink/lifecycle/StatusLine.h"
#include "pbxlink/lifecycle/WindowState.h"

#include <QObject>
#include <QString>

// What the PBX link tells of its connection and of the calls on the line. The link's parts emit these signals and
// src/app connects them to the telephone window; nothing is asked back. Tests connect recorders.
class LinkNotices final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    // The connection.
    void windowStateChosen(WindowState state);
    void statusChanged(const StatusLine& status);
    // The two texts shown while the exchange is in service mode; cleared by every reply.
    void unavailableTextsSet(const QString& title, const QString& detail);
    void unavailableTextsCleared();
    // Calls were missed that the user has not seen.
    void missedCalls();
    // The missed-call count shown at rest may be out of date.
    void idleDisplayStale();
    void connectionNoteCleared();
    // Logged in: a request held back until then (a number to dial from the command line, say) may run.
    void readyForStartupRequest();

    // The calls.
    void handsetChanged(bool lifted);
    void partyConnected(const QString& number);
    // The digits dialled so far and the phone-book name of that number (empty when unknown).
    void digitsDialled(const QString& digits, const QString& name);
    // A call rings, with the name the exchange sent; calledNumber is empty unless it is to be shown.
    void incomingCall(const QString& caller, const QString& calledNumber, const QString& callerName);
    // A second caller waits during the conversation.
    void waitingCall(const QString& caller, const QString& callerName);
    void featureStatusChanged(const FeatureStatus& status);
    void recordingStarted();
    // The call's recording ended and is kept or offered under its name.
    void recordingFinished();
    // The exchange refused the number being dialled.
    void dialRefused();
    // A number dialled out was connected (also one dialled on the desk phone): it belongs in the redial list.
    void dialledNumberConnected(const QString& number);
};
