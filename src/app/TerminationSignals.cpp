#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace vornela {

namespace {

// The handler may only do async-signal-safe work: write one byte to the pipe the event loop
// reads. It finds the pipe here; -1 while nobody listens.
std::atomic<int> signalWriteEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler must not take a lock");

void onSignal(int) {
    const int saved = errno;
    const char byte = 1;
    if (const int fd = signalWriteEnd.load(); fd >= 0) {
        [[maybe_unused]] const auto written = ::write(fd, &byte, 1);
    }
    errno = saved;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> onTerminate, QObject* parent)
    : QObject(parent), onTerminate_(std::move(onTerminate)) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    readEnd_.reset(ends[0]);
    writeEnd_.reset(ends[1]);
    notifier_ = std::make_unique<QSocketNotifier>(readEnd_.get(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::drain);
    signalWriteEnd = writeEnd_.get();

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
    // Only now may the pipe close.
    signalWriteEnd = -1;
}

void TerminationSignals::drain() {
    char buffer[16];
    while (::read(readEnd_.get(), buffer, sizeof buffer) > 0) {
    }
    if (onTerminate_)
        onTerminate_();
}

} // namespace vornela
