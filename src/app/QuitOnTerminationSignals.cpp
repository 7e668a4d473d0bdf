#include "app/QuitOnTerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalSockets[2] = {-1, -1};
constexpr int HandledSignals[] = {SIGTERM, SIGINT, SIGHUP};

void onSignal(int signalNumber)
{
    const auto byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
}

} // namespace

QuitOnTerminationSignals::QuitOnTerminationSignals(QObject* parent)
    : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets) != 0) {
        qWarning("Cannot watch for termination signals");
        return;
    }
    m_notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitOnTerminationSignals::readSignal);
    // exit(), not quit(): a GUI application's quit() first asks every window to close, and the telephone window
    // refuses (it hides to the tray), which would cancel the quit.
    connect(
        this, &QuitOnTerminationSignals::terminationRequested, QCoreApplication::instance(),
        [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : HandledSignals) {
        sigaction(signalNumber, &action, nullptr);
    }
}

QuitOnTerminationSignals::~QuitOnTerminationSignals()
{
    if (m_notifier == nullptr) {
        return;
    }
    for (const int signalNumber : HandledSignals) {
        std::signal(signalNumber, SIG_DFL);
    }
    ::close(signalSockets[0]);
    ::close(signalSockets[1]);
    signalSockets[0] = signalSockets[1] = -1;
}

void QuitOnTerminationSignals::readSignal()
{
    unsigned char byte = 0;
    if (::read(signalSockets[1], &byte, 1) == 1) {
        emit terminationRequested(byte);
    }
}
