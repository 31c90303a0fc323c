#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace vireo {

// Runs work(i) once for every i below `count`, on as many threads as the
// machine has cores, and returns when all have run. Hashing a package's or a
// folder's megabytes is the slow part of opening one, and each file is hashed
// alone. The first exception a call throws is thrown again here.
template <typename Work>
void forEachInParallel(std::size_t count, const Work& work) {
    const std::size_t threads =
        std::min<std::size_t>(count, std::max(1u, std::thread::hardware_concurrency()));
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureLock;
    const auto run = [&] {
        for (std::size_t i = next++; i < count; i = next++) {
            try {
                work(i);
            } catch (...) {
                const std::lock_guard<std::mutex> hold(failureLock);
                if (!failure) failure = std::current_exception();
            }
        }
    };
    std::vector<std::thread> helpers;
    for (std::size_t t = 1; t < threads; ++t) {
        try {
            helpers.emplace_back(run);
        } catch (const std::system_error&) {
            break;  // No thread to spare: this one does the rest.
        }
    }
    run();
    for (std::thread& helper : helpers) helper.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace vireo
