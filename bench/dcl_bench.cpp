// Speed and size of the DCL codec, per dictionary size:
// - a mixed corpus of 6 x 2 MiB, per kind of data and for the whole corpus;
// - small entries: each kind's first 64 KiB compressed 1 KiB at a time;
// - the fixed cost of a call, on a 1-byte input;
// - inputs that once compressed worse than the reference encoder's;
// - with --vectors=DIR, every input of the test vectors in DIR, beside the
//   size of the reference stream recorded there.
// scripts/bench turns the output into a table.
//
// Benchmark names: implode/DICTIONARY/KIND and explode/DICTIONARY/KIND, KIND
// "total" for the whole corpus, "KIND-1k" for small entries, "call" for the
// fixed cost, "vector:NAME" for a test vector. Counters: "ratio" =
// compressed / original size, "size" = compressed bytes, "reference" = the
// reference stream's bytes (vectors only, else 0).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "archive/dcl/dcl.h"
#include "support/dcl_corpus.h"

namespace {

using namespace mw;

constexpr std::size_t part_size = 2 * 1024 * 1024;
constexpr std::size_t entry_size = 1024;
constexpr std::size_t entries_per_kind = 64;

struct Sample {
    std::string kind;
    Bytes data;
    std::size_t entry = 0;                   // compressed this many bytes at a time (0: at once)
    std::map<int, std::size_t> reference{};  // reference stream bytes by dictionary size
};

std::vector<Sample> corpus_samples()
{
    std::vector<Sample> list;
    Bytes total;
    std::vector<Sample> small;
    for (bench::CorpusPart& part : bench::make_corpus(part_size)) {
        total.insert(total.end(), part.data.begin(), part.data.end());
        small.push_back({part.kind + "-1k", Bytes(part.data.begin(), part.data.begin() + entry_size * entries_per_kind),
                         entry_size});
        list.push_back({part.kind, std::move(part.data)});
    }
    list.push_back({"total", std::move(total)});
    list.insert(list.end(), small.begin(), small.end());
    list.push_back({"call", Bytes{'A'}});
    for (bench::CorpusPart& part : bench::make_hard_inputs()) list.push_back({part.kind, std::move(part.data)});
    return list;
}

Bytes read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// The inputs of the reference streams listed in DIR/manifest.tsv (columns:
// file, bytes, sha256, decodes_to, dictionary, ...); hand-made streams are
// no encoder's output and are left out.
std::vector<Sample> vector_samples(const std::string& dir)
{
    std::ifstream manifest(dir + "/manifest.tsv");
    if (!manifest) {
        std::fprintf(stderr, "cannot read %s/manifest.tsv\n", dir.c_str());
        return {};
    }
    std::map<std::string, Sample> by_input;
    std::string line;
    std::getline(manifest, line);
    while (std::getline(manifest, line)) {
        std::istringstream fields(line);
        std::string file, bytes, sha, decodes_to, dictionary;
        std::getline(fields, file, '\t');
        std::getline(fields, bytes, '\t');
        std::getline(fields, sha, '\t');
        std::getline(fields, decodes_to, '\t');
        std::getline(fields, dictionary, '\t');
        if (decodes_to.empty() || file.rfind("hand_", 0) == 0) continue;
        Sample& sample = by_input[decodes_to];
        if (sample.kind.empty()) {
            sample.kind = "vector:" + decodes_to.substr(0, decodes_to.rfind('.'));
            sample.data = read_file(dir + "/" + decodes_to);
        }
        sample.reference[std::stoi(dictionary)] = std::stoul(bytes);
    }
    std::vector<Sample> list;
    for (auto& [name, sample] : by_input) list.push_back(std::move(sample));
    return list;
}

// The stream of each entry of the sample, or of the whole sample.
std::vector<Bytes> implode_sample(const Sample& sample, int dictionary)
{
    std::vector<Bytes> streams;
    const std::size_t step = sample.entry != 0 ? sample.entry : sample.data.size();
    for (std::size_t at = 0; at < sample.data.size(); at += step)
        streams.push_back(
            dcl::implode(ByteSpan(sample.data).subspan(at, std::min(step, sample.data.size() - at)), dictionary));
    return streams;
}

void set_size_counters(benchmark::State& state, const Sample& sample, int dictionary, const std::vector<Bytes>& streams)
{
    std::size_t compressed = 0;
    for (const Bytes& stream : streams) compressed += stream.size();
    state.counters["ratio"] = double(compressed) / double(sample.data.size());
    state.counters["size"] = double(compressed);
    const auto reference = sample.reference.find(dictionary);  // 0: none (every run must have every counter)
    state.counters["reference"] = reference != sample.reference.end() ? double(reference->second) : 0.0;
}

void implode_benchmark(benchmark::State& state, const Sample& sample, int dictionary)
{
    const std::size_t step = sample.entry != 0 ? sample.entry : sample.data.size();
    for (auto _ : state) {
        for (std::size_t at = 0; at < sample.data.size(); at += step) {
            const Bytes stream =
                dcl::implode(ByteSpan(sample.data).subspan(at, std::min(step, sample.data.size() - at)), dictionary);
            benchmark::DoNotOptimize(stream.data());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sample.data.size()));
    set_size_counters(state, sample, dictionary, implode_sample(sample, dictionary));
}

void explode_benchmark(benchmark::State& state, const Sample& sample, int dictionary)
{
    const std::vector<Bytes> streams = implode_sample(sample, dictionary);
    std::vector<std::size_t> sizes;  // each stream's original size: the limit the archive reader gives too
    Bytes output;
    // Checked once, outside the timing: every stream decodes to its input.
    std::size_t decoded = 0;
    for (const Bytes& stream : streams) {
        if (dcl::explode(stream, output, sample.data.size()) != dcl::Status::ok ||
            !std::equal(output.begin(), output.end(), sample.data.begin() + static_cast<std::ptrdiff_t>(decoded))) {
            state.SkipWithError("the stream does not decode to its input");
            return;
        }
        decoded += output.size();
        sizes.push_back(output.size());
    }
    for (auto _ : state) {
        for (std::size_t i = 0; i < streams.size(); ++i) {
            if (dcl::explode(streams[i], output, sizes[i]) != dcl::Status::ok) {
                state.SkipWithError("the stream does not decode");
                break;
            }
            benchmark::DoNotOptimize(output.data());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sample.data.size()));
    set_size_counters(state, sample, dictionary, streams);
}

}  // namespace

int main(int argc, char** argv)
{
    // Our own option, taken out before the benchmark library reads the rest.
    std::string vectors;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--vectors=", 10) == 0)
            vectors = argv[i] + 10;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;

    static std::vector<Sample> samples = corpus_samples();
    if (!vectors.empty())
        for (Sample& sample : vector_samples(vectors)) samples.push_back(std::move(sample));
    for (int dictionary : {1024, 2048, 4096}) {
        for (const Sample& sample : samples) {
            const std::string suffix = std::to_string(dictionary) + "/" + sample.kind;
            const std::string implode_name = std::string("implode/").append(suffix);
            const std::string explode_name = std::string("explode/").append(suffix);
            const benchmark::TimeUnit unit = sample.data.size() >= 256 * 1024 ? benchmark::kMillisecond
                                                                              : benchmark::kMicrosecond;
            benchmark::RegisterBenchmark(implode_name.c_str(), implode_benchmark, sample, dictionary)->Unit(unit);
            benchmark::RegisterBenchmark(explode_name.c_str(), explode_benchmark, sample, dictionary)->Unit(unit);
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
