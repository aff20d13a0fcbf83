// Reading the manifest of a large archive (scripts/bench.sh writes one of about
// 110 MB with 50,000 entries): what the zip reader costs through the real file
// system, how often and how much it reads, and, in the same run on the same
// file, what Python's zipfile and `unzip -p` take for the same entry.
//
//   quillmont_zip_bench --jar=ARCHIVE [--tiny-jar=ARCHIVE] [--compare-runs=N]
//                       [--compare-repetitions=N] [--no-compare] [benchmark flags]
//
// The Google Benchmark figures come first; then the comparison: in process (our
// open + readEntry against zipfile.ZipFile(path).read(...), each timed call by
// call, the median of many) and whole process (quillmont_read_manifest against
// `unzip -p` and `python3` zipfile, the median of N runs taken round by round).
// Every program's output must be the manifest, byte for byte, or nothing is reported.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/launch/zip_archive_reader.h"
#include "posix_files.h"

extern char** environ;

namespace {

using namespace quillmont;
using namespace quillmont::bench;
using Clock = std::chrono::steady_clock;

constexpr char16_t kManifest[] = u"META-INF/MANIFEST.MF";

struct Options {
    std::string jar;
    std::string tinyJar;
    int compareRuns = 21;
    int compareRepetitions = 200;
    int pythonRepetitions = 25;
    bool compare = true;
};

// ---------------------------------------------------------------------------
// Google Benchmark

void reportCounts(benchmark::State& state, const ReadCounts& counts, std::uint64_t fileSize) {
    using benchmark::Counter;
    state.counters["reads"] = Counter(static_cast<double>(counts.reads), Counter::kAvgIterations);
    state.counters["bytes_read"] = Counter(static_cast<double>(counts.bytes), Counter::kAvgIterations);
    state.counters["opens"] = Counter(static_cast<double>(counts.opens), Counter::kAvgIterations);
    state.counters["share_of_file"] = Counter(
        static_cast<double>(counts.bytes) / static_cast<double>(fileSize), Counter::kAvgIterations);
}

std::uint64_t fileSizeOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    return in ? static_cast<std::uint64_t>(in.tellg()) : 0;
}

void BM_OpenAndReadManifest(benchmark::State& state, const std::string& path) {
    PosixFiles posix;
    CountingFiles files(posix);
    const WideString widePathOfJar = widePath(path);
    for (auto _ : state) {
        ZipArchiveReader archive(files);
        Bytes manifest;
        if (!archive.open(widePathOfJar) || !archive.readEntry(kManifest, manifest)) {
            state.SkipWithError("the manifest was not read");
            return;
        }
        benchmark::DoNotOptimize(manifest.data());
    }
    reportCounts(state, files.counts(), fileSizeOf(path));
}

// The directory alone: open reads the end record and the central directory.
void BM_Open(benchmark::State& state, const std::string& path) {
    PosixFiles posix;
    CountingFiles files(posix);
    const WideString widePathOfJar = widePath(path);
    for (auto _ : state) {
        ZipArchiveReader archive(files);
        if (!archive.open(widePathOfJar)) {
            state.SkipWithError("the archive was not opened");
            return;
        }
        benchmark::DoNotOptimize(archive);
    }
    reportCounts(state, files.counts(), fileSizeOf(path));
}

// The entry alone, on an archive that is already open: the directory search,
// the local header and the entry's data.
void BM_ReadManifestOfOpenArchive(benchmark::State& state, const std::string& path) {
    PosixFiles posix;
    CountingFiles files(posix);
    ZipArchiveReader archive(files);
    if (!archive.open(widePath(path))) {
        state.SkipWithError("the archive was not opened");
        return;
    }
    files.reset();
    Bytes manifest;
    for (auto _ : state) {
        if (!archive.readEntry(kManifest, manifest)) {
            state.SkipWithError("the manifest was not read");
            return;
        }
        benchmark::DoNotOptimize(manifest.data());
    }
    reportCounts(state, files.counts(), fileSizeOf(path));
}

void registerBenchmarks(const Options& options) {
    auto add = [](const std::string& name, auto function, const std::string& path) {
        benchmark::RegisterBenchmark(name.c_str(), function, path)->Unit(benchmark::kMillisecond);
    };
    add("BM_OpenAndReadManifest/big", BM_OpenAndReadManifest, options.jar);
    add("BM_Open/big", BM_Open, options.jar);
    add("BM_ReadManifestOfOpenArchive/big", BM_ReadManifestOfOpenArchive, options.jar);
    if (!options.tinyJar.empty()) add("BM_OpenAndReadManifest/tiny", BM_OpenAndReadManifest, options.tinyJar);
}

// ---------------------------------------------------------------------------
// The comparison

struct Figures {
    std::vector<double> wallMs;
    std::vector<double> cpuMs;
    std::vector<double> peakRssKb;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[(values.size() - 1) / 2];
}

std::string range(const std::vector<double>& values, const char* format) {
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    char text[64];
    std::snprintf(text, sizeof text, format, *low, *high);
    return text;
}

struct ProcessResult {
    bool exitedCleanly = false;
    std::string output;
    double wallMs = 0;
    double cpuMs = 0;
    double peakRssKb = 0;
};

// Runs the program to its end under /usr/bin/time, with stdout captured and
// stdin from /dev/null. Wall time from before the spawn to after the wait;
// processor time from wait4 (the program and /usr/bin/time, which adds well
// under a millisecond); the peak resident size as /usr/bin/time reports it for
// the program alone. (A child spawned straight from here would inherit this
// process's peak in its own, as the kernel carries it over the exec.)
ProcessResult runProcess(const std::vector<std::string>& command, const std::string& timeFile) {
    ProcessResult result;
    std::vector<std::string> arguments = {"/usr/bin/time", "-f", "%M", "-o", timeFile};
    arguments.insert(arguments.end(), command.begin(), command.end());
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (spawned != 0) {
        ::close(pipeEnds[0]);
        return result;
    }
    char buffer[4096];
    for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) break;
        result.output.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    while (::wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    const Clock::time_point end = Clock::now();
    auto ms = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_usec) / 1e3;
    };
    std::ifstream reported(timeFile);
    reported >> result.peakRssKb;
    result.exitedCleanly = WIFEXITED(status) && WEXITSTATUS(status) == 0 && reported;
    result.wallMs = std::chrono::duration<double, std::milli>(end - start).count();
    result.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    return result;
}

struct Contender {
    std::string label;
    std::vector<std::string> command;
    Figures figures;
};

// Our open + readEntry in this process, timed call by call as the Python side is.
bool timeOursInProcess(const std::string& path, int repetitions, std::vector<double>& times, Bytes& manifest) {
    PosixFiles files;
    const WideString wide = widePath(path);
    for (int i = -1; i < repetitions; ++i) {  // the first run is outside the figures
        const Clock::time_point start = Clock::now();
        ZipArchiveReader archive(files);
        Bytes read;
        if (!archive.open(wide) || !archive.readEntry(kManifest, read)) return false;
        const Clock::time_point end = Clock::now();
        if (i < 0) manifest = read;
        else times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    return true;
}

// The entry count of the end record, when the archive has no comment.
std::string entryCountText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(-22, std::ios::end);
    unsigned char end[22] = {};
    if (!in.read(reinterpret_cast<char*>(end), sizeof end) || end[0] != 'P' || end[1] != 'K' || end[2] != 5 ||
        end[3] != 6)
        return "?";
    return std::to_string(end[10] | (end[11] << 8));
}

int compareWith(const Options& options, const std::string& jar, const std::vector<double>& ours,
                const Bytes& manifest, const std::string& timeFile) {
    const std::string expected(manifest.begin(), manifest.end());
    const ProcessResult python = runProcess({"python3", QUILLMONT_ZIPFILE_SCRIPT, "time", jar,
                                             std::to_string(options.pythonRepetitions)}, timeFile);
    double pythonMedian = 0, pythonLow = 0, pythonHigh = 0;
    std::size_t pythonBytes = 0;
    std::istringstream(python.output) >> pythonMedian >> pythonLow >> pythonHigh >> pythonBytes;
    if (!python.exitedCleanly || pythonBytes != expected.size()) {
        std::cerr << "Python's zipfile did not read the manifest (" << python.output << ")\n";
        return 1;
    }

    std::vector<Contender> contenders = {
        {"quillmont_read_manifest (ours)", {QUILLMONT_READ_MANIFEST, jar}, {}},
        {"unzip -p", {"unzip", "-p", jar, "META-INF/MANIFEST.MF"}, {}},
        {"python3 zipfile", {"python3", QUILLMONT_ZIPFILE_SCRIPT, "print", jar}, {}},
    };
    const std::size_t compared = contenders.size();
    // The same manifest alone: what starting the process costs.
    if (!options.tinyJar.empty())
        contenders.push_back({"quillmont_read_manifest on the tiny archive", {QUILLMONT_READ_MANIFEST, options.tinyJar}, {}});
    // A warm-up round, then round after round of every program, so that a change
    // in the machine's load falls on all of them alike.
    for (int round = -1; round < options.compareRuns; ++round) {
        for (Contender& contender : contenders) {
            const ProcessResult run = runProcess(contender.command, timeFile);
            if (!run.exitedCleanly || run.output != expected) {
                std::cerr << contender.label << " did not print the manifest\n";
                return 1;
            }
            if (round < 0) continue;
            contender.figures.wallMs.push_back(run.wallMs);
            contender.figures.cpuMs.push_back(run.cpuMs);
            contender.figures.peakRssKb.push_back(run.peakRssKb);
        }
    }

    const double oursMedian = median(ours);
    const double pythonMs = pythonMedian * 1e3;
    std::printf("\n== META-INF/MANIFEST.MF (%zu bytes) of %s: %llu bytes, %s entries\n", expected.size(),
                jar.c_str(), static_cast<unsigned long long>(fileSizeOf(jar)), entryCountText(jar).c_str());
    char label[64];
    std::printf("%-46s %9s   %s\n", "in process (warm heap), each call timed", "median ms", "(min-max)");
    std::snprintf(label, sizeof label, "ZipArchiveReader open + readEntry, x%d", options.compareRepetitions);
    std::printf("  %-44s %9.3f   %s\n", label, oursMedian, range(ours, "%.3f-%.3f").c_str());
    std::snprintf(label, sizeof label, "zipfile.ZipFile(path).read(name), x%d", options.pythonRepetitions);
    std::printf("  %-44s %9.3f   %.3f-%.3f\n", label, pythonMs, pythonLow * 1e3, pythonHigh * 1e3);
    std::snprintf(label, sizeof label, "whole process, median of %d", options.compareRuns);
    std::printf("%-46s %9s   %-15s %8s   %11s\n", label, "wall ms", "(min-max)", "cpu ms", "peak RSS KB");
    for (const Contender& contender : contenders) {
        std::printf("  %-44s %9.2f   %-15s %8.2f   %11.0f\n", contender.label.c_str(),
                    median(contender.figures.wallMs), range(contender.figures.wallMs, "%.1f-%.1f").c_str(),
                    median(contender.figures.cpuMs), median(contender.figures.peakRssKb));
    }
    const Figures& oursWhole = contenders[0].figures;
    auto ratio = [](double theirs, double ourFigure) { return ourFigure > 0 ? theirs / ourFigure : 0.0; };
    std::printf("ratios, theirs / ours (above 1: ours takes less)\n");
    std::printf("  in process                 Python zipfile   time %7.1fx\n", ratio(pythonMs, oursMedian));
    for (std::size_t i = 1; i < compared; ++i) {
        const Figures& theirs = contenders[i].figures;
        std::printf("  whole process  %28s   wall %7.1fx   cpu %6.1fx   peak RSS %5.1fx\n",
                    contenders[i].label.c_str(), ratio(median(theirs.wallMs), median(oursWhole.wallMs)),
                    ratio(median(theirs.cpuMs), median(oursWhole.cpuMs)),
                    ratio(median(theirs.peakRssKb), median(oursWhole.peakRssKb)));
    }
    if (contenders.size() > compared) {
        const Figures& tiny = contenders.back().figures;
        std::printf("ours on the large archive less ours on the tiny one: wall %.2f ms, cpu %.2f ms, peak RSS %.0f KB\n",
                    median(oursWhole.wallMs) - median(tiny.wallMs), median(oursWhole.cpuMs) - median(tiny.cpuMs),
                    median(oursWhole.peakRssKb) - median(tiny.peakRssKb));
    }
    std::printf("(warm page cache: the archive is read again and again, so no figure includes the disk)\n");
    return 0;
}

int runComparison(const Options& options) {
    const std::string& jar = options.jar;
    std::vector<double> ours;
    Bytes manifest;
    if (!timeOursInProcess(jar, options.compareRepetitions, ours, manifest)) {
        std::cerr << "our reader did not read the manifest of " << jar << "\n";
        return 1;
    }

    char timeFile[] = "/tmp/quillmont-zip-bench.XXXXXX";
    const int timeDescriptor = ::mkstemp(timeFile);
    if (timeDescriptor < 0) {
        std::cerr << "cannot create a temporary file\n";
        return 1;
    }
    ::close(timeDescriptor);
    const int compared = compareWith(options, jar, ours, manifest, timeFile);
    ::unlink(timeFile);
    return compared;
}

// Takes our own flags out of argv, leaving Google Benchmark's.
bool parseOptions(int& argc, char** argv, Options& options) {
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        auto value = [&](std::string_view flag, std::string& out) {
            if (argument.substr(0, flag.size()) != flag) return false;
            out = std::string(argument.substr(flag.size()));
            return true;
        };
        std::string number;
        if (value("--jar=", options.jar) || value("--tiny-jar=", options.tinyJar)) continue;
        if (value("--compare-runs=", number)) {
            options.compareRuns = std::max(1, std::atoi(number.c_str()));
        } else if (value("--compare-repetitions=", number)) {
            options.compareRepetitions = std::max(1, std::atoi(number.c_str()));
        } else if (value("--python-repetitions=", number)) {
            options.pythonRepetitions = std::max(1, std::atoi(number.c_str()));
        } else if (argument == "--no-compare") {
            options.compare = false;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return !options.jar.empty();
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::cerr << "usage: " << argv[0]
                  << " --jar=ARCHIVE [--tiny-jar=ARCHIVE] [--compare-runs=N] [--compare-repetitions=N]"
                     " [--python-repetitions=N] [--no-compare] [benchmark flags]\n"
                     "(bench/make_big_jar.py writes the archives)\n";
        return 2;
    }
    if (fileSizeOf(options.jar) == 0) {
        std::cerr << "cannot read " << options.jar << "\n";
        return 2;
    }
    registerBenchmarks(options);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return options.compare ? runComparison(options) : 0;
}
