// The image of a 64 KiB payload at 100 baud / 32000 Hz (about 210 MB) against a plain memset of
// the same size, and the peak memory of building one image against its size.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>

#include "signal/generator.h"

namespace {

String Payload() {
    String p(64 * 1024, '\0');
    for (size_t i = 0; i < p.size(); ++i) p[i] = char((i * 131) ^ 0x5A);
    return p;
}

const String& BenchPayload() {
    static const String payload = Payload();
    return payload;
}

size_t ImageBytes() {
    static const size_t bytes = [] {
        GeneraterClass g;
        g.Constructor(BenchPayload(), "", "", 100, 32000, 1600, 800);
        return g.mWavData.size();
    }();
    return bytes;
}

void BM_ImageBuild(benchmark::State& state) {
    const String& payload = BenchPayload();
    for (auto _ : state) {
        GeneraterClass g;
        g.Constructor(payload, "", "", 100, 32000, 1600, 800);
        benchmark::DoNotOptimize(g.mWavData.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(ImageBytes()));
}

// The baseline: a fresh buffer of the image's size, filled.
void BM_MemsetFill(benchmark::State& state) {
    const size_t bytes = ImageBytes();
    for (auto _ : state) {
        char* buffer = static_cast<char*>(std::malloc(bytes));
        std::memset(buffer, 128, bytes);
        benchmark::DoNotOptimize(buffer);
        benchmark::ClobberMemory();
        std::free(buffer);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

BENCHMARK(BM_ImageBuild)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MemsetFill)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps each benchmark's mean real time per iteration, for the ratio printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

long StatusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t len = std::strlen(field);
    while (std::getline(status, line))
        if (line.compare(0, len, field) == 0) return std::atol(line.c_str() + len + 1);
    return -1;
}

// Peak resident memory added by building one image, measured in a child process whose
// high-water mark is reset first; -1 when the system cannot tell.
long PeakGrowthBytes() {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    const pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        close(fds[0]);
        long growth = -1;
        const String& payload = BenchPayload();
        if (std::ofstream("/proc/self/clear_refs") << "5") {
            const long before = StatusKiB("VmRSS:");
            {
                GeneraterClass g;
                g.Constructor(payload, "", "", 100, 32000, 1600, 800);
                benchmark::DoNotOptimize(g.mWavData.data());
            }
            const long peak = StatusKiB("VmHWM:");
            if (before >= 0 && peak >= 0) growth = (peak - before) * 1024;
        }
        if (write(fds[1], &growth, sizeof growth) != sizeof growth) _exit(1);
        _exit(0);
    }
    close(fds[1]);
    long growth = -1;
    if (read(fds[0], &growth, sizeof growth) != sizeof growth) growth = -1;
    close(fds[0]);
    waitpid(child, nullptr, 0);
    return growth;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const double mib = 1024.0 * 1024.0;
    const size_t image = ImageBytes();

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::fflush(stdout);

    auto build = reporter.times.find("BM_ImageBuild");
    auto fill = reporter.times.find("BM_MemsetFill");
    if (build != reporter.times.end() && fill != reporter.times.end() && fill->second > 0)
        std::printf(
            "image build %.2f ms, memset fill %.2f ms: build / fill = %.2f (target at most 2)\n",
            build->second, fill->second, build->second / fill->second);

    std::fflush(stdout);  // before the fork, so the child does not print it again
    const long growth = PeakGrowthBytes();
    if (growth >= 0)
        std::printf(
            "peak memory of one build: %.1f MiB for an image of %.1f MiB: %+.1f MiB over "
            "its size (target at most +16)\n",
            growth / mib, image / mib, (double(growth) - double(image)) / mib);
    else
        std::printf("peak memory: not measurable here (/proc/self/clear_refs unavailable)\n");
    return 0;
}
