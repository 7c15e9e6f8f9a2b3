#pragma once
// What the steps for one output and for several share: the order in which they visit a cover,
// how they drop its cubes, the fixed order a finished cover is printed in, and how an allowance
// scales, and how tasks are shared out among threads. A cover is of Cube or of MultiCube; only
// the input part counts.

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <numeric>
#include <thread>
#include <vector>

#include "core/Cube.h"
#include "core/Work.h"

namespace mwcore {

template <class C>
const Cube& InputsOf(const C& c) {
    if constexpr (requires { c.in; })
        return c.in;
    else
        return c;
}

// Cover positions by literal count, fewest or most first, ties in cover order.
template <class C>
std::vector<int> ByLiterals(const std::vector<C>& cover, bool fewestFirst) {
    std::vector<int> order(cover.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int la = InputsOf(cover[a]).Literals(), lb = InputsOf(cover[b]).Literals();
        return fewestFirst ? la < lb : la > lb;
    });
    return order;
}

// Drops the cubes marked gone, the others keep their order.
template <class C>
void Compact(std::vector<C>& cover, const std::vector<char>& gone) {
    std::size_t k = 0;
    for (std::size_t i = 0; i < cover.size(); ++i)
        if (!gone[i]) cover[k++] = cover[i];
    cover.resize(k);
}

// A cover in a fixed order (most literals last) so that equal covers print alike.
template <class C>
void Canonical(std::vector<C>& cover) {
    std::sort(cover.begin(), cover.end(), [](const C& a, const C& b) {
        const Cube &x = InputsOf(a), &y = InputsOf(b);
        if (x.Literals() != y.Literals()) return x.Literals() < y.Literals();
        return y < x;
    });
}

// An allowance times the options' scale; past what a count holds, no limit.
inline int64_t Scaled(int64_t units, double scale) {
    const double v = static_cast<double>(units) * scale;
    return v >= 9e18 ? Work::kUnlimited : static_cast<int64_t>(v);
}

// Runs task(0..count-1) on up to `threads` threads; every task writes only its own results,
// so the outcome is the same with any number of threads. The first failure is rethrown.
inline void RunTasks(int count, int threads, const std::function<void(int)>& task) {
    std::vector<std::exception_ptr> failed(count);
    std::atomic<int> next{0};
    const auto worker = [&] {
        for (int i; (i = next++) < count;) {
            try {
                task(i);
            } catch (...) {
                failed[i] = std::current_exception();
            }
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < std::min(threads, count); ++t) pool.emplace_back(worker);
    worker();
    for (auto& t : pool) t.join();
    for (const auto& f : failed)
        if (f) std::rethrow_exception(f);
}

}  // namespace mwcore
