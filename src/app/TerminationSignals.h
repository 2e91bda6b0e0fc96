#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace vornela {

// Turns SIGTERM and SIGINT into a call on the main thread, so termination runs the same orderly
// sequence as quitting from the interface (preferences flushed, panels torn down).
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(std::function<void()> onTerminate, QObject* parent = nullptr);
    ~TerminationSignals() override;

private:
    void drain();

    std::function<void()> onTerminate_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace vornela
