#pragma once
// Worker threads that draw the row bands of a frame: one per core beside the
// program thread, started on first use and stopped when the process ends.
//
// run() hands out the parts of one job (part indices 0..parts-1) to the
// workers and to the calling thread, and returns when every part is done, so
// whatever the caller wrote before run() is seen by the parts and whatever the
// parts wrote is seen by the caller after it. Parts must touch nothing that
// the others write.
//
// LIMN_THREADS=n in the environment sets the number of drawing threads (the
// program thread included; 1 draws everything on the program thread).
//
//   BandPool::shared().run(4, [&](int part) { drawBand(part); });

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace limn::sdl {

class BandPool {
public:
    static constexpr int kMaxThreads = 64;

    // The pool every renderer shares.
    static BandPool& shared();

    explicit BandPool(int threads);
    ~BandPool();
    BandPool(const BandPool&) = delete;
    BandPool& operator=(const BandPool&) = delete;

    // Drawing threads, the caller's included (at least 1).
    [[nodiscard]] int threads() const { return threads_; }
    // Whether the count was forced (LIMN_THREADS, or setThreads()).
    [[nodiscard]] bool forced() const { return forced_; }
    // Forces the count from now on (clamped to 1..kMaxThreads); 0 goes back to
    // the environment's or the machine's. Only between runs.
    void setThreads(int threads);

    // Runs job(part) for every part in [0, parts), spread over the threads;
    // an exception from a part is rethrown here once all parts are done.
    void run(int parts, const std::function<void(int)>& job);
    // How many runs so far were spread over more than one thread.
    [[nodiscard]] std::uint64_t spreadRuns() const { return spreadRuns_; }

private:
    void startWorkers();
    void work();
    void takeParts();

    int threads_;
    bool forced_ = false;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::vector<std::thread> workers_;
    const std::function<void(int)>* job_ = nullptr;
    std::uint64_t generation_ = 0;
    std::uint64_t spreadRuns_ = 0;
    int parts_ = 0;
    int next_ = 0;
    int running_ = 0;  // parts handed out and not yet finished
    bool stopping_ = false;
    std::exception_ptr failure_;
};

}  // namespace limn::sdl
