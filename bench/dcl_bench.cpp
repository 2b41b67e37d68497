// Speed and ratio of the DCL codec on a mixed corpus of 6 x 2 MiB:
// implode per dictionary size and explode of its streams, per kind of data
// and for the whole corpus at once. scripts/bench turns the output into a table.
//
// Benchmark names: implode/DICTIONARY/KIND and explode/DICTIONARY/KIND, KIND
// "total" for the whole corpus; counter "ratio" = compressed / original size.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "archive/dcl/dcl.h"
#include "support/dcl_corpus.h"

namespace {

using namespace mw;

constexpr std::size_t part_size = 2 * 1024 * 1024;

struct Sample {
    std::string kind;
    Bytes data;
};

const std::vector<Sample>& samples()
{
    static const std::vector<Sample> all = [] {
        std::vector<Sample> list;
        Bytes total;
        for (bench::CorpusPart& part : bench::make_corpus(part_size)) {
            total.insert(total.end(), part.data.begin(), part.data.end());
            list.push_back({part.kind, std::move(part.data)});
        }
        list.push_back({"total", std::move(total)});
        return list;
    }();
    return all;
}

void implode_benchmark(benchmark::State& state, const Sample& sample, int dictionary)
{
    std::size_t compressed = 0;
    for (auto _ : state) {
        const Bytes stream = dcl::implode(sample.data, dictionary);
        compressed = stream.size();
        benchmark::DoNotOptimize(stream.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sample.data.size()));
    state.counters["ratio"] = double(compressed) / double(sample.data.size());
}

void explode_benchmark(benchmark::State& state, const Sample& sample, int dictionary)
{
    const Bytes stream = dcl::implode(sample.data, dictionary);
    Bytes output;
    for (auto _ : state) {
        if (dcl::explode(stream, output, sample.data.size()) != dcl::Status::ok || output.size() != sample.data.size()) {
            state.SkipWithError("the stream does not decode to its input");
            break;
        }
        benchmark::DoNotOptimize(output.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sample.data.size()));
    state.counters["ratio"] = double(stream.size()) / double(sample.data.size());
}

}  // namespace

int main(int argc, char** argv)
{
    for (int dictionary : {1024, 2048, 4096}) {
        for (const Sample& sample : samples()) {
            const std::string suffix = std::to_string(dictionary) + "/" + sample.kind;
            const std::string implode_name = std::string("implode/").append(suffix);
            const std::string explode_name = std::string("explode/").append(suffix);
            benchmark::RegisterBenchmark(implode_name.c_str(), implode_benchmark, sample, dictionary)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(explode_name.c_str(), explode_benchmark, sample, dictionary)
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
