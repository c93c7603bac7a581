#pragma once

#include <QObject>

class QSocketNotifier;

namespace host {

// Turns SIGTERM, SIGINT and SIGHUP (a logout, `kill`, Ctrl+C in a terminal) into a signal
// on the UI thread, so the program can end the way its close button ends it: the movie file
// removed, the border update stopped. Without it the process dies where it stands and the
// movie file stays behind. After the first such signal the default action is back, so a
// second one ends a program that hangs while quitting.
//
// One at a time: a signal handler can reach only one place, which is the write end of
// this object's pipe.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the pipe or a handler could not be set up; the signals then act as usual.
    [[nodiscard]] bool active() const { return m_notifier != nullptr; }

signals:
    void received(int signalNumber);

private:
    void readSignal();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace host
