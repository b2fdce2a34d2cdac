#pragma once

#include <QtGlobal>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace tarnel::cli {

// Parts 0 .. count - 1 of a job whose results go out in order, made by two
// threads in turns: this one makes the even parts, a second thread the odd
// ones, so that only a few parts' results are held at a time (not half of a
// big job's). `put` takes each result in order, on this thread.
template <typename Result, typename Make, typename Put>
void inTurns(qint64 count, const Make& make, const Put& put)
{
    std::mutex mutex;
    std::condition_variable changed;
    std::optional<Result> ready; // an odd part made and not yet taken
    std::thread second([&] {
        for (qint64 part = 1; part < count; part += 2) {
            Result result = make(part);
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return !ready; });
            ready.emplace(std::move(result));
            changed.notify_all();
        }
    });
    for (qint64 part = 0; part < count; part += 2) {
        put(make(part));
        if (part + 1 == count)
            break;
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return ready.has_value(); });
        Result result = std::move(*ready);
        ready.reset();
        changed.notify_all();
        lock.unlock();
        put(std::move(result));
    }
    second.join();
}

} // namespace tarnel::cli
