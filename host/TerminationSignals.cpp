#include "host/TerminationSignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace host {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The only thing a handler may touch: the write end of the live object's pipe.
volatile sig_atomic_t g_writeEnd = -1;

void onSignal(int number) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    if (g_writeEnd >= 0 && ::write(g_writeEnd, &byte, 1) < 0) {
        // A full pipe already holds a signal for the UI thread; nothing more to do here.
    }
    errno = savedErrno;
}

void setHandler(int number, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(number, &action, nullptr);
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (g_writeEnd >= 0 || ::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_writeEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);
    for (int number : kSignals)
        setHandler(number, onSignal);
}

TerminationSignals::~TerminationSignals() {
    if (!m_notifier)
        return;
    for (int number : kSignals)
        setHandler(number, SIG_DFL);
    g_writeEnd = -1;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void TerminationSignals::readSignal() {
    // Several signals may have come at once; one ending is enough.
    unsigned char byte = 0;
    int number = 0;
    while (::read(m_pipe[0], &byte, 1) == 1)
        number = byte;
    if (number == 0)
        return;
    for (int handled : kSignals)
        setHandler(handled, SIG_DFL);
    emit received(number);
}

} // namespace host
