// quorvane_bench: how long a person waits on the two actions the program exists for (the scan a
// press of "Aggiorna" starts, and loading every icon of a chosen file), and how much memory the
// loaded icons hold, each against a floor measured in the same run. Prints one Markdown table.
// See bench/README.md.
#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <exception>
#include <filesystem>

#include "bench/Cases.h"
#include "bench/Corpus.h"
#include "bench/DrawingBombs.h"
#include "bench/ExtractCases.h"
#include "bench/HostileCases.h"
#include "bench/Machine.h"
#include "bench/Options.h"
#include "bench/ScaleCases.h"
#include "bench/Table.h"
#include "bench/WindowCases.h"

namespace {

using bench::Options;
using bench::Table;

// The targets of the table's rows against their floors.
constexpr double kScanLimit = 1.3;
constexpr double kLoadLimit = 2;
constexpr double kMemoryLimit = 1.1;
constexpr double kExtractLimit = 2;

void RunRealCorpus(const Options& options, Table& table) {
    const std::string& directory = options.x86Directory;
    const std::string largest = bench::FileWithMostIcons(bench::ListMatchingFiles(directory));
    if (options.Runs("scan")) {
        table.Add(bench::MeasureScan("Scan core (x86_64)", directory, options.reps, kScanLimit));
        if (!options.i386Directory.empty()) {
            table.Add(bench::MeasureScan("Scan core (i386)", options.i386Directory, options.reps,
                                         kScanLimit));
        }
    }
    if (options.Runs("load")) {
        table.Add(
            bench::MeasureLoad("Load core (largest file)", largest, options.reps, kLoadLimit));
    }
    if (options.Runs("window")) {
        table.Add(bench::MeasureWindowActions(directory, largest, options.reps));
    }
    if (options.Runs("memory")) {
        table.Add(bench::MeasureLoadMemory("Memory after loading the largest file", largest,
                                           options.reps, kMemoryLimit));
    }
    if (options.Runs("extract")) {
        QTemporaryDir scratch;
        table.Add(bench::MeasureExtractAll(largest, scratch.path().toStdString(), options.reps,
                                           kExtractLimit));
    }
}

// The cases on generated inputs, written into the --scratch directory or a temporary one.
void RunGenerated(const Options& options, Table& table) {
    if (!options.Runs("scale") && !options.Runs("hostile") && !options.Runs("bombs")) {
        return;
    }
    QTemporaryDir temporary;
    if (options.scratch.empty() && !temporary.isValid()) {
        throw std::runtime_error("cannot make a temporary directory");
    }
    const std::string scratch =
        options.scratch.empty() ? temporary.path().toStdString() : options.scratch;
    if (options.Runs("scale")) {
        table.Add(bench::MeasureScale(scratch, options.scaleReps,
                                      options.keepScratch && !options.scratch.empty()));
    }
    if (options.Runs("hostile")) {
        table.Add(bench::MeasureHostileFiles(scratch));
    }
    if (options.Runs("bombs")) {
        table.Add(bench::MeasureDrawingBombs(scratch));
    }
}

void PrintHeader(const Options& options, const bench::Machine& machine) {
    std::printf("# Quorvane benchmark\n\n");
    std::printf("- Machine: %s, %u cores\n", machine.cpuModel.c_str(), machine.cores);
    std::printf("- Date: %s\n", machine.date.c_str());
    std::printf("- Build: %s, g++ %s\n", QUORVANE_BENCH_BUILD_TYPE, __VERSION__);
    std::printf("- Command: `%s`\n", options.command.c_str());
    std::printf("- Corpus: %s\n", options.x86Directory.c_str());
    std::printf(
        "- Figures: medians of %d runs (%d for the generated inputs), each case after one "
        "uncounted warm-up run (warm page cache); each floor timed alternately with its action\n",
        options.reps, options.scaleReps);
    std::printf("- Load average at the start: %s\n", machine.loadAverage.c_str());
}

void PrintFooter(const Table& table) {
    std::printf("\n- Load average at the end: %s\n", bench::LoadAverage().c_str());
    std::printf(
        "- The file list holds at most %zu names (a 16-bit list): of a directory of 40000 files "
        "the first %zu in list order are scanned.\n",
        bench::kMaxListedFiles, bench::kMaxListedFiles);
    std::printf("- Targets missed: %zu\n", table.Missed());
}

bool NeedsCorpus(const Options& options) {
    return options.Runs("scan") || options.Runs("load") || options.Runs("window") ||
           options.Runs("memory") || options.Runs("extract");
}

int Run(const Options& options) {
    if (NeedsCorpus(options) && !std::filesystem::is_directory(options.x86Directory)) {
        std::fprintf(stderr, "No corpus at %s: run bench/fetch_corpus.sh first.\n",
                     options.x86Directory.c_str());
        return 2;
    }
    const bench::Machine machine = bench::DescribeMachine();
    Table table;
    if (NeedsCorpus(options)) {
        RunRealCorpus(options, table);
    }
    RunGenerated(options, table);
    PrintHeader(options, machine);
    std::printf("\n%s", table.Markdown().c_str());
    PrintFooter(table);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    try {
        if (qEnvironmentVariableIsSet("QUORVANE_BENCH_HOSTILE_CHILD")) {
            QApplication application(argc, argv);
            return bench::RunHostileChildIfAsked() ? 0 : 1;
        }
        const Options options = bench::ParseOptions(argc, argv);
        QApplication application(argc, argv);
        QApplication::setApplicationName("Quorvane");
        return Run(options);
    } catch (const std::invalid_argument& error) {
        std::fprintf(stderr, "%s", error.what());
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quorvane_bench: %s\n", error.what());
        return 1;
    }
}
