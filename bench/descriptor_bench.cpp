// Opening and correcting a JAD descriptor of the largest size the program
// accepts: throughput of each step and the heap one correction needs at its peak.
//
// The same binary writes the descriptors that scripts/bench.sh hands to
// Quillmont.exe under Wine, so both measurements run on the same bytes:
//   quillmont_descriptor_bench --write-descriptor realistic|short-lines|tiny PATH DECLARED_SIZE
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <new>
#include <string>
#include <string_view>

#include "core/launch/attribute_document.h"
#include "core/launch/file_helpers.h"
#include "core/launch/jad_flow.h"
#include "base/bytes.h"
#include "flow_world.h"
#include "zip_builder.h"

// ---------------------------------------------------------------------------
// Heap watch: every operator new and delete of the binary goes through here, so
// the bytes in use and their high-water mark are known at any moment. The sizes
// are what malloc hands out (malloc_usable_size), which is what the process pays.

namespace {

std::atomic<std::size_t> heapInUse{0};
std::atomic<std::size_t> heapPeak{0};

void noteAllocated(void* pointer) {
    if (pointer == nullptr) return;
    const std::size_t size = malloc_usable_size(pointer);
    const std::size_t now = heapInUse.fetch_add(size, std::memory_order_relaxed) + size;
    std::size_t peak = heapPeak.load(std::memory_order_relaxed);
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
    }
}

void release(void* pointer) noexcept {
    if (pointer == nullptr) return;
    heapInUse.fetch_sub(malloc_usable_size(pointer), std::memory_order_relaxed);
    std::free(pointer);
}

void* allocate(std::size_t size) {
    void* pointer = std::malloc(size == 0 ? 1 : size);
    if (pointer == nullptr) throw std::bad_alloc();
    noteAllocated(pointer);
    return pointer;
}

void* allocateAligned(std::size_t size, std::align_val_t alignment) {
    void* pointer = nullptr;
    const auto align = std::max(static_cast<std::size_t>(alignment), sizeof(void*));
    if (posix_memalign(&pointer, align, size == 0 ? 1 : size) != 0) throw std::bad_alloc();
    noteAllocated(pointer);
    return pointer;
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try { return allocate(size); } catch (...) { return nullptr; }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try { return allocate(size); } catch (...) { return nullptr; }
}
void* operator new(std::size_t size, std::align_val_t alignment) { return allocateAligned(size, alignment); }
void* operator new[](std::size_t size, std::align_val_t alignment) { return allocateAligned(size, alignment); }
void operator delete(void* pointer) noexcept { release(pointer); }
void operator delete[](void* pointer) noexcept { release(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { release(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { release(pointer); }
void operator delete(void* pointer, std::align_val_t) noexcept { release(pointer); }
void operator delete[](void* pointer, std::align_val_t) noexcept { release(pointer); }
void operator delete(void* pointer, std::size_t, std::align_val_t) noexcept { release(pointer); }
void operator delete[](void* pointer, std::size_t, std::align_val_t) noexcept { release(pointer); }

namespace {

using namespace quillmont;
using namespace quillmont::testing;

// The heap above what was in use when it was made, at its highest since then.
class PeakHeap {
public:
    PeakHeap() : base_(heapInUse.load()) { heapPeak.store(base_); }
    std::size_t bytes() const { return heapPeak.load() - base_; }

private:
    std::size_t base_;
};

// ---------------------------------------------------------------------------
// Descriptors

constexpr std::size_t kDescriptorBytes = kMaxWholeFileBytes;
constexpr std::uint32_t kJarBytes = 187'403;
const std::string kJarSizeText = std::to_string(kJarBytes);
// Declared sizes that differ from kJarBytes, with as many digits or fewer, so the
// corrected file is as large or a little larger.
const std::string kWrongSizeText = "187400";

enum class Kind { Realistic, ShortLines, LineEnds };

// Build tools append MIDlet-Jar-Size once the archive is packed, so both
// attributes the flow reads come last: every lookup walks the whole document.
std::string tailLines(std::string_view declaredSize, std::string_view lineEnd) {
    return "MIDlet-Jar-URL: app.jar" + std::string(lineEnd) + "MIDlet-Jar-Size: " + std::string(declaredSize) +
           std::string(lineEnd);
}

// A suite with a few hundred ordinary attribute lines (MIDlets, permissions,
// application properties) and long description lines with some non-ASCII text,
// CRLF line ends, exactly `total` bytes.
std::string realisticDescriptor(std::string_view declaredSize, std::size_t total = kDescriptorBytes) {
    std::string text;
    text.reserve(total);
    auto line = [&text](const std::string& content) { text += content + "\r\n"; };
    line("MIDlet-Name: Brenwick Arcade Collection");
    line("MIDlet-Vendor: Brenwick Games Ltd.");
    line("MIDlet-Version: 2.4.17");
    line("MicroEdition-Profile: MIDP-2.0");
    line("MicroEdition-Configuration: CLDC-1.1");
    line("MIDlet-Icon: /icons/suite.png");
    line("MIDlet-Info-URL: http://games.example.com/arcade/info");
    line("MIDlet-Data-Size: 65536");
    line("MIDlet-Permissions: javax.microedition.io.Connector.http, javax.microedition.io.Connector.socket, "
         "javax.microedition.io.PushRegistry");
    line("MIDlet-Permissions-Opt: javax.microedition.io.Connector.sms, javax.wireless.messaging.sms.send, "
         "javax.microedition.media.control.RecordControl");
    line("MIDlet-Push-1: socket://:7654, com.brenwick.arcade.PushListener, *");
    line("Nokia-MIDlet-Category: Game");
    for (int i = 1; i <= 120; ++i) {
        const std::string n = std::to_string(i);
        line("MIDlet-" + n + ": Game " + n + ", /icons/game" + n + ".png, com.brenwick.arcade.g" + n + ".GameMidlet");
    }
    for (int i = 1; i <= 160; ++i) {
        const std::string n = std::to_string(i);
        line("Level-" + n + "-Layout: " + std::to_string(i * 7 % 31) + "," + std::to_string(i * 13 % 17) +
             ",tiles/level" + n + ".bin,music/theme" + std::to_string(i % 9) + ".mid,speed=" +
             std::to_string(100 + i));
    }
    const std::string tail = tailLines(declaredSize, "\r\n");
    const std::string sentence =
        "Guide the lantern keeper through the flooded caverns, trade with the merchants of the Café Größe "
        "and collect the 日本の 提灯 before the tide turns; every level hides a shortcut. ";
    std::string description;
    while (description.size() < 4000) description += sentence;
    for (int i = 1;; ++i) {
        const std::string name = "MIDlet-Description-" + std::to_string(i) + ": ";
        const std::size_t full = name.size() + description.size() + 2;
        const std::size_t left = total - text.size() - tail.size();
        if (left >= 2 * full) {
            line(name + description);
            continue;
        }
        // The last one takes up what is left, in ASCII so no character is cut.
        std::string filler(left - name.size() - 2, 'x');
        for (std::size_t at = 0; at < filler.size(); ++at)
            if (at % 9 == 8) filler[at] = ' ';
        line(name + filler);
        break;
    }
    text += tail;
    return text;
}

// Many short lines: a line end every second byte.
std::string shortLinesDescriptor(std::string_view declaredSize, std::size_t total = kDescriptorBytes) {
    const std::string tail = tailLines(declaredSize, "\n");
    std::string text;
    text.reserve(total);
    if ((total - tail.size()) % 2 != 0) text += "\n";
    while (text.size() + tail.size() < total) text += "a\n";
    text += tail;
    return text;
}

// The most lines a descriptor can have: nothing but line ends before the tail.
std::string lineEndsDescriptor(std::string_view declaredSize, std::size_t total = kDescriptorBytes) {
    const std::string tail = tailLines(declaredSize, "\n");
    return std::string(total - tail.size(), '\n') + tail;
}

std::string tinyDescriptor(std::string_view declaredSize) {
    return "MIDlet-Name: App\r\nMIDlet-Version: 1.0\r\nMIDlet-Vendor: Brenwick\r\nMIDlet-1: App, , a.App\r\n" +
           tailLines(declaredSize, "\r\n");
}

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

const Bytes& descriptorBytes(Kind kind, bool wrongSize) {
    static const Bytes samples[3][2] = {
        {bytesOf(realisticDescriptor(kJarSizeText)), bytesOf(realisticDescriptor(kWrongSizeText))},
        {bytesOf(shortLinesDescriptor(kJarSizeText)), bytesOf(shortLinesDescriptor(kWrongSizeText))},
        {bytesOf(lineEndsDescriptor(kJarSizeText)), bytesOf(lineEndsDescriptor(kWrongSizeText))},
    };
    return samples[static_cast<int>(kind)][wrongSize ? 1 : 0];
}

// A benchmark that measured something else than meant must not report a figure.
bool checkSample(benchmark::State& state, const Bytes& bytes) {
    if (bytes.size() != kDescriptorBytes) {
        state.SkipWithError("the descriptor is not exactly the largest accepted size");
        return false;
    }
    return true;
}

const WideString kJarSize = u"MIDlet-Jar-Size";
const WideString kJarUrl = u"MIDlet-Jar-URL";

// ---------------------------------------------------------------------------
// The document alone

void BM_Parse(benchmark::State& state, Kind kind) {
    const Bytes& bytes = descriptorBytes(kind, false);
    if (!checkSample(state, bytes)) return;
    for (auto _ : state) {
        AttributeDocument document;
        document.parse(bytes);
        benchmark::DoNotOptimize(document);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    AttributeDocument document;
    document.parse(bytes);
    state.counters["lines"] = static_cast<double>(document.lineCount());
}

void BM_ParseAndLookUp(benchmark::State& state, Kind kind) {
    const Bytes& bytes = descriptorBytes(kind, false);
    if (!checkSample(state, bytes)) return;
    for (auto _ : state) {
        AttributeDocument document;
        document.parse(bytes);
        WideString size = document.value(kJarSize, true);
        WideString url = document.value(kJarUrl, true);
        benchmark::DoNotOptimize(size);
        benchmark::DoNotOptimize(url);
        if (size != ascii(kJarSizeText.c_str()) || url != u"app.jar") {
            state.SkipWithError("the attributes were not found");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

Bytes correct(const Bytes& bytes) {
    AttributeDocument document;
    document.parse(bytes);
    document.setValue(kJarSize, ascii(kJarSizeText.c_str()));
    return document.serialize();
}

void BM_Correct(benchmark::State& state, Kind kind) {
    const Bytes& bytes = descriptorBytes(kind, true);
    if (!checkSample(state, bytes)) return;
    for (auto _ : state) {
        Bytes corrected = correct(bytes);
        benchmark::DoNotOptimize(corrected);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));

    Bytes corrected;
    std::size_t peak = 0;
    {
        const PeakHeap watch;
        corrected = correct(bytes);
        peak = watch.bytes();
    }
    if (corrected != descriptorBytes(kind, false)) {
        state.SkipWithError("the correction did not give the descriptor with the archive's size");
        return;
    }
    state.counters["peak_heap_bytes"] = static_cast<double>(peak);
    state.counters["peak_per_input_byte"] = static_cast<double>(peak) / static_cast<double>(bytes.size());
}

// ---------------------------------------------------------------------------
// The whole flow on faked ports: read, parse, compare, ask, write, start.

const WideString kJadPath = u"C:\\Suites\\app.jad";

struct BenchWorld {
    FlowWorld world;
    explicit BenchWorld(JadSizeAnswer answer) {
        world.addStarter(StarterKind::J2ME, 1, u"emulator", u"%1 %2");
        world.setActions(StarterKind::J2ME, 1, 0);
        world.files.addFile(u"C:\\Suites\\app.jar", suiteArchiveOfSize(kJarBytes));
        world.dialogs.sizeAnswer = answer;
    }
    bool open() { return runJadFlow(world.context, {kJadPath, true, u""}); }
};

void BM_JadFlow(benchmark::State& state, Kind kind, bool wrongSize) {
    const Bytes& bytes = descriptorBytes(kind, wrongSize);
    if (!checkSample(state, bytes)) return;
    BenchWorld bench(JadSizeAnswer::CorrectThisFile);
    for (auto _ : state) {
        state.PauseTiming();
        bench.world.files.addFile(kJadPath, bytes);
        bench.world.processes.started.clear();
        bench.world.processes.attempts.clear();
        bench.world.dialogs.sizeRuns.clear();
        bench.world.dialogs.shown.clear();
        state.ResumeTiming();
        if (!bench.open()) {
            state.SkipWithError("the flow did not start the emulator");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    if (bench.world.dialogs.sizeRuns.size() != (wrongSize ? 1u : 0u) ||
        bench.world.files.contents(kJadPath) != descriptorBytes(kind, false)) {
        state.SkipWithError("the flow did not do what was measured");
        return;
    }

    // The fake file system's copies count: they stand for the bytes the real
    // ports hold in the page cache rather than on the heap, so this is an upper bound.
    bench.world.files.addFile(kJadPath, bytes);
    std::size_t peak = 0;
    {
        const PeakHeap watch;
        bench.open();
        peak = watch.bytes();
    }
    state.counters["peak_heap_bytes"] = static_cast<double>(peak);
}

void registerBenchmarks() {
    const std::pair<const char*, Kind> kinds[] = {
        {"realistic", Kind::Realistic}, {"short_lines", Kind::ShortLines}, {"line_ends", Kind::LineEnds}};
    for (const auto& [name, kind] : kinds) {
        const std::string suffix = std::string("/") + name;
        benchmark::RegisterBenchmark(("BM_Parse" + suffix).c_str(), BM_Parse, kind)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_ParseAndLookUp" + suffix).c_str(), BM_ParseAndLookUp, kind)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_Correct" + suffix).c_str(), BM_Correct, kind)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_JadFlowMatching" + suffix).c_str(), BM_JadFlow, kind, false)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_JadFlowCorrect" + suffix).c_str(), BM_JadFlow, kind, true)
            ->Unit(benchmark::kMillisecond);
    }
}

// ---------------------------------------------------------------------------

int writeDescriptor(const std::string& kind, const std::string& path, const std::string& declaredSize) {
    std::string text;
    if (kind == "realistic") {
        text = realisticDescriptor(declaredSize);
    } else if (kind == "short-lines") {
        text = shortLinesDescriptor(declaredSize);
    } else if (kind == "tiny") {
        text = tinyDescriptor(declaredSize);
    } else {
        std::cerr << "unknown descriptor kind: " << kind << "\n";
        return 2;
    }
    std::ofstream out(path, std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
        std::cerr << "cannot write " << path << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--write-descriptor") == 0) {
        if (argc != 5) {
            std::cerr << "usage: " << argv[0] << " --write-descriptor realistic|short-lines|tiny PATH DECLARED_SIZE\n";
            return 2;
        }
        return writeDescriptor(argv[2], argv[3], argv[4]);
    }
    registerBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
