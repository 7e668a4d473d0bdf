#pragma once

class CallHistoryPort;
class LinkDialogsPort;
class LinkServicesPort;
class PhoneBookNamesPort;
class RecorderPort;

// What the PBX link asks of the rest of the program, handed down whole to the parts of the link that ask: src/app
// plugs in the books, the call history, the link's windows and the recorder; tests plug in recorders.
struct LinkPartners {
    LinkServicesPort& services;
    LinkDialogsPort& dialogs;
    CallHistoryPort& history;
    PhoneBookNamesPort& books;
    RecorderPort& recorder;
};
