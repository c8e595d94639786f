// One reader, N workers, one ordered writer. The batches in flight are a fixed pool, so
// memory is bounded by the pool, not by the image.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace vz::image {

template <class Batch, class WorkerState>
class Pipeline {
  public:
    // Fills the batch with the next input; false when there is none left.
    using Produce = std::function<bool(Batch&)>;
    using Work = std::function<void(Batch&, WorkerState&)>;
    // Receives the batches in the order they were produced.
    using Consume = std::function<void(Batch&)>;
    using MakeState = std::function<std::unique_ptr<WorkerState>()>;

    // Runs on the calling thread (as the reader) until all input is consumed; the first error
    // of any stage stops every stage and is rethrown here.
    static void run(unsigned workers, MakeState makeState, Produce produce, Work work,
                    Consume consume) {
        Pipeline pipeline(workers == 0 ? 1 : workers);
        pipeline.execute(makeState, produce, work, consume);
    }

  private:
    explicit Pipeline(unsigned workers) : workers_(workers) {
        std::size_t batches = 2 * static_cast<std::size_t>(workers) + 2;
        for (std::size_t i = 0; i < batches; ++i) {
            pool_.push_back(std::make_unique<Batch>());
            free_.push_back(pool_.back().get());
        }
    }

    void fail() {
        std::lock_guard lock(mutex_);
        if (!error_)
            error_ = std::current_exception();
        stopped_ = true;
        freed_.notify_all();
        queuedCv_.notify_all();
        finished_.notify_all();
    }

    void execute(const MakeState& makeState, const Produce& produce, const Work& work,
                 const Consume& consume) {
        std::vector<std::thread> threads;
        for (unsigned i = 0; i < workers_; ++i) {
            threads.emplace_back([&] {
                try {
                    std::unique_ptr<WorkerState> state = makeState();
                    workLoop(*state, work);
                } catch (...) {
                    fail();
                }
            });
        }
        std::thread writer([&] {
            try {
                writeLoop(consume);
            } catch (...) {
                fail();
            }
        });
        try {
            readLoop(produce);
        } catch (...) {
            fail();
        }
        for (auto& thread : threads)
            thread.join();
        writer.join();
        if (error_)
            std::rethrow_exception(error_);
    }

    void readLoop(const Produce& produce) {
        for (std::size_t sequence = 0;; ++sequence) {
            Batch* batch;
            {
                std::unique_lock lock(mutex_);
                freed_.wait(lock, [&] { return stopped_ || !free_.empty(); });
                if (stopped_)
                    return;
                batch = free_.front();
                free_.pop_front();
            }
            bool more = produce(*batch);
            std::lock_guard lock(mutex_);
            if (!more) {
                free_.push_back(batch);
                produced_ = sequence;
                inputDone_ = true;
                queuedCv_.notify_all();
                finished_.notify_all();
                return;
            }
            queued_.push_back({sequence, batch});
            queuedCv_.notify_one();
        }
    }

    void workLoop(WorkerState& state, const Work& work) {
        for (;;) {
            std::pair<std::size_t, Batch*> item;
            {
                std::unique_lock lock(mutex_);
                queuedCv_.wait(lock, [&] { return stopped_ || inputDone_ || !queued_.empty(); });
                if (stopped_ || queued_.empty())
                    return;
                item = queued_.front();
                queued_.pop_front();
            }
            work(*item.second, state);
            std::lock_guard lock(mutex_);
            done_.emplace(item.first, item.second);
            finished_.notify_one();
        }
    }

    void writeLoop(const Consume& consume) {
        for (std::size_t next = 0;; ++next) {
            Batch* batch;
            {
                std::unique_lock lock(mutex_);
                finished_.wait(lock, [&] {
                    return stopped_ || done_.count(next) != 0 || (inputDone_ && next == produced_);
                });
                if (stopped_ || (inputDone_ && next == produced_ && done_.count(next) == 0)) {
                    return;
                }
                batch = done_[next];
                done_.erase(next);
            }
            consume(*batch);
            std::lock_guard lock(mutex_);
            free_.push_back(batch);
            freed_.notify_one();
        }
    }

    unsigned workers_;
    std::vector<std::unique_ptr<Batch>> pool_;
    std::mutex mutex_;
    std::condition_variable freed_;     // a batch went back to the pool
    std::condition_variable queuedCv_;  // a batch waits for a worker, or the input ended
    std::condition_variable finished_;  // a worker finished a batch, or the input ended
    std::deque<Batch*> free_;
    std::deque<std::pair<std::size_t, Batch*>> queued_;
    std::map<std::size_t, Batch*> done_;
    std::size_t produced_ = 0;
    bool inputDone_ = false;
    bool stopped_ = false;
    std::exception_ptr error_;
};

}  // namespace vz::image
