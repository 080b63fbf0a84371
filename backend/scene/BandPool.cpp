#include "backend/scene/BandPool.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace limn::sdl {

namespace {

int machineThreads() {
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
    // A page without shared memory has one thread: every band is drawn on it.
    return 1;
#else
    return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1,
                      BandPool::kMaxThreads);
#endif
}

// LIMN_THREADS, or 0 when unset or not a count.
int threadsFromEnvironment() {
    const char* text = std::getenv("LIMN_THREADS");
    if (!text || !*text) return 0;
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    if (*end != '\0' || n < 1) return 0;
    return static_cast<int>(std::min<long>(n, BandPool::kMaxThreads));
}

}  // namespace

BandPool& BandPool::shared() {
    static BandPool pool(0);
    return pool;
}

BandPool::BandPool(int threads) : threads_(machineThreads()) {
    setThreads(threads);
}

BandPool::~BandPool() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

void BandPool::setThreads(int threads) {
    const int fromEnvironment = threadsFromEnvironment();
    forced_ = threads > 0 || fromEnvironment > 0;
    if (threads > 0) {
        threads_ = std::min(threads, kMaxThreads);
    } else {
        threads_ = fromEnvironment > 0 ? fromEnvironment : machineThreads();
    }
}

void BandPool::startWorkers() {
    // Workers are started once, up to the most ever asked for.
    while (static_cast<int>(workers_.size()) < threads_ - 1) {
        workers_.emplace_back([this] { work(); });
    }
}

void BandPool::run(int parts, const std::function<void(int)>& job) {
    if (parts <= 0) return;
    if (parts == 1 || threads_ <= 1) {
        for (int i = 0; i < parts; ++i) job(i);
        return;
    }
    startWorkers();
    ++spreadRuns_;
    {
        std::lock_guard lock(mutex_);
        job_ = &job;
        parts_ = parts;
        next_ = 0;
        running_ = 0;
        failure_ = nullptr;
        ++generation_;
    }
    wake_.notify_all();
    takeParts();
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return next_ >= parts_ && running_ == 0; });
    job_ = nullptr;
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void BandPool::takeParts() {
    std::unique_lock lock(mutex_);
    while (job_ && next_ < parts_) {
        const int part = next_++;
        ++running_;
        const auto* job = job_;
        lock.unlock();
        std::exception_ptr failed;
        try {
            (*job)(part);
        } catch (...) {
            failed = std::current_exception();
        }
        lock.lock();
        if (failed && !failure_) failure_ = failed;
        if (--running_ == 0 && next_ >= parts_) done_.notify_all();
    }
}

void BandPool::work() {
    std::uint64_t seen = 0;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (stopping_) return;
            seen = generation_;
        }
        takeParts();
    }
}

}  // namespace limn::sdl
