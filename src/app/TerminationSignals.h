#pragma once

#include "core/base/UniqueFd.h"

#include <QObject>

#include <functional>
#include <memory>

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
    // The self-pipe: the handler writes a byte, the event loop reads it.
    UniqueFd readEnd_;
    UniqueFd writeEnd_;
    std::unique_ptr<QSocketNotifier> notifier_; // after the pipe: goes first, while it is open
};

} // namespace vornela
