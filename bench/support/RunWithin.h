#pragma once

#include <benchmark/benchmark.h>
#include <chrono>

// Times the loop by the wall clock and fails the run when an iteration is over `limit`
// seconds.
template <typename Body> void RunWithin(benchmark::State& state, double limit, Body body) {
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        body();
    }
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    if (spent.count() / double(state.iterations()) > limit) {
        state.SkipWithError("slower than the target");
    }
}
