#include "shell/OrderlyTermination.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace vantor {

namespace {

// A signal handler may only write to a descriptor; the event loop reads the other end.
// The pair is the one piece of process-wide state a signal handler needs.
int SignalPair[2] = {-1, -1};

void WriteSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(SignalPair[0], &byte, 1);
}

void SetHandler(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace

OrderlyTermination::OrderlyTermination(QWidget& window) : window_(window) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, SignalPair) != 0)
        return;
    notifier_ = new QSocketNotifier(SignalPair[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &OrderlyTermination::onSignal);
    SetHandler(WriteSignal);
}

OrderlyTermination::~OrderlyTermination() {
    if (notifier_ == nullptr)
        return;
    SetHandler(SIG_DFL);
    ::close(SignalPair[0]);
    ::close(SignalPair[1]);
    SignalPair[0] = SignalPair[1] = -1;
}

void OrderlyTermination::onSignal() {
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(SignalPair[1], &byte, 1);
    if (window_.close())
        QCoreApplication::quit();
}

} // namespace vantor
