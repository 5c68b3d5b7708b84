// Reading and writing generated documents of 1 KB, 100 KB and 10 MB, side
// by side with nlohmann-json on the same texts. Not a test.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <string>

#include "json/orvjson.h"

namespace {

// Records like the ones the programs keep, with numbers of several forms,
// escapes and Chinese text in UTF-8.
std::string MakeDocument(size_t bytes)
{
    uint64_t state = 42;
    auto next = [&] {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return state >> 33;
    };
    std::string text = "[";
    for (int id = 0; text.size() < bytes; ++id) {
        if (id) text += ',';
        text +=
            "{\"id\":" + std::to_string(id) + ",\"name\":\"area " + std::to_string(next() % 1000) +
            "\",\"fontsize\":" + std::to_string(next() % 64) +
            ",\"speed\":" + std::to_string(next() % 200) +
            ",\"price\":" + std::to_string(next() % 100000) + "." + std::to_string(next() % 100) +
            ",\"ratio\":" + std::to_string(next() % 1000) + "e-" + std::to_string(next() % 9) +
            ",\"text\":\"\xE6\xAC\xA2\xE8\xBF\x8E\xE5\x85\x89\xE4\xB8\xB4 line\\n\\\"quoted\\\" "
            "path\\/x\",\"active\":" +
            (next() % 2 ? "true" : "false") + ",\"tags\":[\"red\",\"blue\"," +
            std::to_string(next() % 10) + ",null]}";
    }
    return text + "]";
}

const std::string& Document(int64_t bytes)
{
    static std::map<int64_t, std::string> documents;
    auto& doc = documents[bytes];
    if (doc.empty()) doc = MakeDocument(static_cast<size_t>(bytes));
    return doc;
}

void ReadOrv(benchmark::State& state)
{
    const std::string& doc = Document(state.range(0));
    for (auto _ : state) {
        auto tree = json::TorvJSON::ReadJson(doc);
        benchmark::DoNotOptimize(tree.get());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(doc.size()));
}

void ReadNlohmann(benchmark::State& state)
{
    const std::string& doc = Document(state.range(0));
    for (auto _ : state) {
        auto tree = nlohmann::json::parse(doc);
        benchmark::DoNotOptimize(tree);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(doc.size()));
}

void WriteOrv(benchmark::State& state)
{
    const std::string& doc = Document(state.range(0));
    const auto tree = json::TorvJSON::ReadJson(doc);
    size_t size = 0;
    for (auto _ : state) {
        const std::string text = json::TorvJSON::WriteJson(tree.get());
        size = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}

void WriteNlohmann(benchmark::State& state)
{
    const std::string& doc = Document(state.range(0));
    const auto tree = nlohmann::json::parse(doc);
    size_t size = 0;
    for (auto _ : state) {
        const std::string text = tree.dump();
        size = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(1 << 10)->Arg(100 << 10)->Arg(10 << 20)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(ReadOrv)->Apply(Sizes);
BENCHMARK(ReadNlohmann)->Apply(Sizes);
BENCHMARK(WriteOrv)->Apply(Sizes);
BENCHMARK(WriteNlohmann)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
