// How fast data texts load: the built-in difficulty table, and a generated scene text of 1 MiB
// in the shape real scenes have (blocks of a class, a name, a layer, positions and flags).
#include <benchmark/benchmark.h>

#include <string>

#include "platform/fatalcapture.h"
#include "platform/resources.h"
#include "texdb/texdb.h"

namespace kipkip {
namespace {

std::string GeneratedScene(std::size_t size)
{
    std::string text;
    for (int n = 0; text.size() < size; ++n) {
        text += "{\r\n\tclass\t\tPicture\r\n\tname\t\tpicture" + std::to_string(n) +
                "\r\n\tlayer\t\t\x94\x77\x8c\x69\r\n\tshow\t\t1\r\n\tpos\t\t\t" +
                std::to_string(n % 320) + ",-" + std::to_string(n % 720) +
                "\r\n\tsize\t\t32,48\r\n\tspeed\t\t0.5,-1.25\r\n"
                "\t# cells of the "
                "walk\r\n\tcells\t\t0,1,2,3,\t4,5,6,7\r\n\tfileName\tkipkip0\r\n}\r\n\r\n";
    }
    return text;
}

void Parse(benchmark::State& state, std::span<const std::uint8_t> text)
{
    FatalCapture quiet;
    for (auto _ : state) {
        TTexDb db = TTexDb::FromText("bench", text);
        benchmark::DoNotOptimize(db.BlockCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_DifficultyTable(benchmark::State& state)
{
    Parse(state, *FindResource("TEXT", "dificulty"));
}
BENCHMARK(BM_DifficultyTable);

void BM_SceneText1MiB(benchmark::State& state)
{
    static const std::string scene = GeneratedScene(1 << 20);
    Parse(state, std::span(reinterpret_cast<const std::uint8_t*>(scene.data()), scene.size()));
}
BENCHMARK(BM_SceneText1MiB);

}  // namespace
}  // namespace kipkip

BENCHMARK_MAIN();
