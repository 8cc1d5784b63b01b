#pragma once

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

namespace prefbook::test {

// Starts count threads that all wait at one line and then run body(index) together, so the calls
// under test really overlap; joins them all before returning.
inline void RunTogether(int count, const std::function<void(int)>& body) {
    std::atomic<int> ready{0};
    std::atomic<bool> go{false};
    std::vector<std::thread> threads;
    for (int i = 0; i < count; ++i) {
        threads.emplace_back([&, i] {
            ready.fetch_add(1);
            while (!go.load()) std::this_thread::yield();
            body(i);
        });
    }
    while (ready.load() < count) std::this_thread::yield();
    go.store(true);
    for (std::thread& t : threads) t.join();
}

}  // namespace prefbook::test
