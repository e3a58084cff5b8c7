// One press of the output-file popup (the real window's MouseDown handler, rows and all) on an
// output folder of many .wav files, with the folder's times an hour ahead of the clock (a clock
// stepped back, a folder restored with tar or rsync -t) and an hour behind it, against one plain
// read of the same folder.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <QApplication>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "app/window1.h"
#include "framework/ui/runtime.h"
#include "signal/generator.h"
#include "tests/support/test_environment.h"

namespace {
namespace fs = std::filesystem;

std::shared_ptr<Window1> window;

fs::path OutputFolder() {
    return Module1::wavFolder()->Path();
}

// Fills the output folder with exactly `count` .wav files, then sets its times `shift` seconds
// off the clock. Only the folder's modification time can be set: its change time is the kernel's.
void PrepareFolder(int64_t count, int64_t shift) {
    const fs::path folder = OutputFolder();
    fs::remove_all(folder);
    fs::create_directories(folder);
    char name[32];
    for (int64_t i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "f%06lld.wav", static_cast<long long>(i));
        std::ofstream(folder / name);
    }
    timespec times[2];
    clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec += shift;
    times[1] = times[0];
    utimensat(AT_FDCWD, folder.c_str(), times, 0);
}

void Press(benchmark::State& state, int64_t shift) {
    PrepareFolder(state.range(0), shift);
    for (auto _ : state) window->wavPM_MouseDown(window->wavPM(), 0, 0);
    if (window->wavPM()->ListCount() != state.range(0)) state.SkipWithError("rows missing");
}

void BM_PressFutureFolder(benchmark::State& state) {
    Press(state, 3600);
}

void BM_PressPastFolder(benchmark::State& state) {
    Press(state, -3600);
}

// The baseline: the folder read once, names kept.
void BM_ReadFolderOnce(benchmark::State& state) {
    PrepareFolder(state.range(0), 3600);
    const fs::path folder = OutputFolder();
    for (auto _ : state) {
        std::vector<std::string> names;
        DIR* dir = opendir(folder.c_str());
        while (const dirent* entry = dir ? readdir(dir) : nullptr)
            names.emplace_back(entry->d_name);
        if (dir) closedir(dir);
        benchmark::DoNotOptimize(names.data());
    }
}

BENCHMARK(BM_PressFutureFolder)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_PressPastFolder)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadFolderOnce)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();

class TimeReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // The tests' environment: nothing touches the real Documents folder, a display or a speaker.
    TestEnvironment environment;
    int qtArgc = 1;
    char name[] = "bench_file_list";
    char* qtArgv[] = {name, nullptr};
    QApplication app(qtArgc, qtArgv);
    RuntimeInit();
    window = std::make_shared<Window1>();
    window->Constructor();

    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    auto press = reporter.times.find("BM_PressFutureFolder/20000/real_time");
    if (press != reporter.times.end())
        std::printf("one press, 20000 files, folder an hour ahead: %.1f ms (target under 1000)\n",
                    press->second);
    window.reset();
    RuntimeReleaseModuleObjects();  // the runtime holds the window too; it goes before Qt does
    RuntimeShutdown();
    return 0;
}
