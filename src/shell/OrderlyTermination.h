#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

namespace vantor {

// Ends the program in order when the system asks it to (SIGTERM, as at logout or from
// `kill`, and SIGINT from a terminal): the window is closed as its close box closes it,
// saving what a close saves, and the event loop ends. Without this the signal would end
// the process on the spot and the layout and settings of the run would be lost.
// One instance at a time; the signals fall back to their defaults when it goes.
class OrderlyTermination : public QObject {
public:
    explicit OrderlyTermination(QWidget& window);
    ~OrderlyTermination() override;

private:
    void onSignal();

    QWidget& window_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace vantor
