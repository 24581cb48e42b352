// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's hot paths: what every keystroke that ends an operation costs.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_window.h"
#include "engine/calculator.h"
#include "engine/number_text.h"

namespace {

const std::vector<rpn::Register>& SampleValues() {
    static const std::vector<rpn::Register> values = {0,
                                                      1,
                                                      -1,
                                                      0.5L,
                                                      1.0L / 3,
                                                      -2.0L / 3,
                                                      12345.678901234567L,
                                                      1999999999.5L,
                                                      2e9L,
                                                      1.5e-20L,
                                                      1e100L,
                                                      1e-4000L,
                                                      1e4000L,
                                                      123456789012.0L};
    return values;
}

void BM_FormatRegister(benchmark::State& state) {
    rpn::InitialiseRegisterArithmetic();
    const auto& values = SampleValues();
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rpn::FormatRegister(values[i], rpn::kDisplayWidth, '.'));
        i = (i + 1) % values.size();
    }
}
BENCHMARK(BM_FormatRegister);

void BM_ParseEntry(benchmark::State& state) {
    rpn::InitialiseRegisterArithmetic();
    const std::vector<std::string> texts = {"12.5",
                                            "0",
                                            "-.66666666666",
                                            "1.23457E+0011",
                                            "2.0000000000000000001e-9",
                                            "1e-4000",
                                            "12345.6789012"};
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rpn::ParseEntry(texts[i]));
        i = (i + 1) % texts.size();
    }
}
BENCHMARK(BM_ParseEntry);

// Type a number, add it to Y, show the stack: commit, operate, refresh.
void BM_CommitOperateRefresh(benchmark::State& state) {
    rpn::InitialiseRegisterArithmetic();
    rpn::bench::BenchWindow window;
    rpn::Calculator calc(window);
    // Y, Z and T alike, so that every addition drops the same value into Y again.
    const rpn::Register seventh = 1.0L / 7;
    calc.LoadRegisters(0, seventh, seventh, seventh, 0);
    for (auto _ : state) {
        window.TypeIntoX("12.5");
        calc.Run(rpn::Operation::Add);
    }
}
BENCHMARK(BM_CommitOperateRefresh);

}  // namespace

BENCHMARK_MAIN();
