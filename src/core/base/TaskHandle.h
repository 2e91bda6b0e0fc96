#pragma once

#include <functional>
#include <memory>

namespace vornela {

// Shared between a scheduler's queue entry and the handle that owns the task.
struct TaskState {
    bool cancelled = false;
    bool finished = false;
    // Set by a scheduler that holds a resource per task (a kernel timer), to release it at once
    // rather than when the dead task would have come due.
    std::function<void()> onCancel;
};

// Owns one scheduled task. Destroying or reassigning the handle cancels the task, so a task
// never outlives the object that scheduled it; detach() gives that guarantee up on purpose.
class TaskHandle {
public:
    TaskHandle() = default;
    explicit TaskHandle(std::shared_ptr<TaskState> state) : state_(std::move(state)) {}
    TaskHandle(const TaskHandle&) = delete;
    TaskHandle& operator=(const TaskHandle&) = delete;
    TaskHandle(TaskHandle&& other) noexcept = default;
    TaskHandle& operator=(TaskHandle&& other) noexcept {
        if (this != &other) {
            cancel();
            state_ = std::move(other.state_);
        }
        return *this;
    }
    ~TaskHandle() { cancel(); }

    void cancel() {
        if (state_ && !state_->cancelled) {
            state_->cancelled = true;
            if (!state_->finished && state_->onCancel) {
                auto release = std::move(state_->onCancel);
                release();
            }
        }
        state_.reset();
    }
    void detach() { state_.reset(); }
    // True while the task is waiting to run.
    bool isPending() const { return state_ && !state_->cancelled && !state_->finished; }

private:
    std::shared_ptr<TaskState> state_;
};

} // namespace vornela
