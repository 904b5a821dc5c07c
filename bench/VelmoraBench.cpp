// velmora's benchmark: start-up, loading, applying, saving and parsing,
// each measured against the bare system calls or program that the same
// work needs at the least, both sides in the same run and interleaved round
// by round. Times on a shared machine are noise; their ratios are the
// figures. See printUsage for the options.

#include <windows.h>

#include <cstdio>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CatalogueFigures.h"
#include "ParserWorkload.h"
#include "StartupDriver.h"
#include "SyntheticCatalogue.h"
#include "Timing.h"
#include "config/ClassTable.h"
#include "core/Exception.h"
#include "core/Platform.h"

namespace {

struct Options {
    std::wstring velmora;     // the program, beside its shipped catalogue
    std::wstring bareWindow;  // bench/BareWindow.cpp
    std::wstring work;        // scratch folder for catalogues and files
    bool smoke = false;
};

// Sizes and rounds of a full run, and of the smoke run that only shows the
// harness works.
struct Plan {
    size_t loadSizes[3];  // loading-1k, -10k, -50k
    size_t tenth;         // scaling: the largest size against ten of these
    size_t changed;       // applying and saving
    size_t windowSizes[3];
    size_t parseUnits;
    int rounds;
    int largeRounds;  // for every figure that loads the largest size
    int windowRounds;
    int memoryRounds;
    bool regedit;
    bool warmUp;  // one start of each side first, not counted
    double startTimeout;
};

const Plan fullPlan{.loadSizes = {1000, 10000, 50000},
                    .tenth = 5000,
                    .changed = 10000,
                    .windowSizes = {100, 1000, 2000},
                    .parseUnits = 2'500'000,
                    .rounds = 7,
                    .largeRounds = 5,
                    .windowRounds = 3,
                    .memoryRounds = 3,
                    .regedit = true,
                    .warmUp = true,
                    .startTimeout = 120};
const Plan smokePlan{.loadSizes = {100, 200, 200},
                     .tenth = 20,
                     .changed = 200,
                     .windowSizes = {10, 20, 40},
                     .parseUnits = 250'000,
                     .rounds = 1,
                     .largeRounds = 1,
                     .windowRounds = 1,
                     .memoryRounds = 1,
                     .regedit = false,
                     .warmUp = false,
                     .startTimeout = 60};

void printUsage() {
    std::fputs(
        "usage: velmora-bench --velmora EXE --bare-window EXE --work DIR [--smoke]\n"
        "  EXE and DIR as Windows paths; DIR is made and removed again.\n"
        "  --smoke  one round of tiny sizes, only to show that every figure runs\n",
        stderr);
}

bool parseOptions(int argc, wchar_t** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring name = argv[i];
        const bool hasValue = i + 1 < argc;
        if (name == L"--smoke") {
            options.smoke = true;
        } else if (name == L"--velmora" && hasValue) {
            options.velmora = argv[++i];
        } else if (name == L"--bare-window" && hasValue) {
            options.bareWindow = argv[++i];
        } else if (name == L"--work" && hasValue) {
            options.work = argv[++i];
        } else {
            return false;
        }
    }
    return !options.velmora.empty() && !options.bareWindow.empty() && !options.work.empty();
}

std::string seconds(const char* what, double value) { return format("%s %.3f s", what, value); }

// Every round's time, for judging the spread behind a median.
std::string list(const std::vector<double>& times) {
    std::string text;
    for (const double t : times) text += format(" %.3f", t);
    return text;
}

// Removes the work folder when the run ends, however it ends.
class WorkFolder {
public:
    explicit WorkFolder(const std::wstring& path) : path_(path) {
        removeDirectory(path_);
        makeDirectories(path_);
    }
    ~WorkFolder() { removeDirectory(path_); }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

std::wstring regeditPath() {
    for (const std::wstring& folder : {windowsDirectory(), systemDirectory()}) {
        const std::wstring path = folder + L"\\regedit.exe";
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return path;
    }
    throw std::runtime_error("no regedit.exe in the Windows or system directory");
}

// Sides run in turn each round; unless asked not to, the first one moves on
// by one each round.
std::vector<std::vector<double>> rotate(int rounds,
                                        const std::vector<std::function<double()>>& sides,
                                        bool turn = true) {
    std::vector<std::vector<double>> times(sides.size());
    for (int round = 0; round < rounds; ++round) {
        for (size_t k = 0; k < sides.size(); ++k) {
            const size_t side = ((turn ? round : 0) + k) % sides.size();
            times[side].push_back(sides[side]());
        }
    }
    return times;
}

Figure ratioFigure(const char* name, const std::string& mineText, const std::string& bareText,
                   double ratio, double goal, int rounds) {
    Figure figure;
    figure.name = name;
    figure.mineText = mineText;
    figure.bareText = bareText;
    figure.ratio = ratio;
    figure.goal = goal;
    figure.rounds = rounds;
    return figure;
}

class Bench {
public:
    Bench(const Options& options, const Plan& plan)
        : options_(options), plan_(plan), work_(options.work) {}

    // False when a figure could not be measured.
    bool run();

private:
    void checkEmptyDisplay();
    void measureStartup();
    void measureWindowScaling();
    void measureLoading();
    void measureApplying();
    void measureSaving();
    void measureParsing();
    void measureMemory();
    const SyntheticCatalogue& catalogue(size_t items, bool checksOnly = false);
    // Removes every catalogue but the one of that size, if any.
    void retireCatalogues(size_t keep = 0);

    const Options& options_;
    const Plan& plan_;
    WorkFolder work_;
    std::vector<std::unique_ptr<SyntheticCatalogue>> catalogues_;
    std::vector<Figure> figures_;
    std::vector<std::string> notes_;
};

const SyntheticCatalogue& Bench::catalogue(size_t items, bool checksOnly) {
    for (const auto& made : catalogues_) {
        if (made->getItems().size() == items && made->isChecksOnly() == checksOnly) return *made;
    }
    const double start = now();
    const std::wstring name = (checksOnly ? L"checks-" : L"items-") + std::to_wstring(items);
    catalogues_.push_back(std::make_unique<SyntheticCatalogue>(work_ / name, items, checksOnly));
    catalogues_.back()->plant();
    say("catalogue of %zu items: %.1f MB of definitions written and its values planted in %.1f "
        "s\n",
        items, catalogues_.back()->getFileBytes() / 1e6, now() - start);
    return *catalogues_.back();
}

void Bench::retireCatalogues(size_t keep) {
    for (auto c = catalogues_.begin(); c != catalogues_.end();)
        c = (*c)->getItems().size() == keep ? c + 1 : catalogues_.erase(c);
}

void Bench::checkEmptyDisplay() {
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const double start = now();
    const double share = nonBlackShare(screen);
    say("empty display: %.1f%% of sample points not black (empty below %.0f%%, a window painted "
        "from %.0f%%); one look at the whole screen takes %.1f ms\n",
        share * 100, emptyShare * 100, paintedShare * 100, (now() - start) * 1000);
    if (!displayEmpty()) throw std::runtime_error("the display is not empty: no paint test");
}

void Bench::measureStartup() {
    const double timeout = plan_.startTimeout;
    const auto velmora = [&] { return timeStartup(options_.velmora, L"", timeout); };
    const auto bare = [&] { return timeStartup(options_.bareWindow, L"", timeout); };
    // The first start after the display and Wine came up pays for fonts and
    // services that later ones find ready: one of each, not counted.
    if (plan_.warmUp) {
        const double firstVelmora = velmora();
        const double firstBare = bare();
        say("start-up: first starts, not counted: velmora %.3f s, bare window %.3f s\n",
            firstVelmora, firstBare);
    }
    const Rounds times = interleave(plan_.rounds, velmora, bare);
    say("start-up: velmora%s s; bare window%s s\n", list(times.mine).c_str(),
        list(times.bare).c_str());
    const double mine = median(times.mine);
    const double bareTime = median(times.bare);
    figures_.push_back(ratioFigure("start-up", seconds("velmora.exe", mine),
                                   seconds("bare window", bareTime),
                                   medianRatio(times.mine, times.bare), 1.5, plan_.rounds));
}

void Bench::measureWindowScaling() {
    std::vector<std::function<double()>> sides;
    std::vector<double> closing[3];
    for (size_t i = 0; i < 3; ++i) {
        const std::wstring arguments =
            L"/items \"" + catalogue(plan_.windowSizes[i], true).getDirectory() + L"\"";
        sides.push_back([this, arguments, &closing, i] {
            double closed = 0;
            const double shown =
                timeStartup(options_.velmora, arguments, plan_.startTimeout, &closed);
            closing[i].push_back(closed);
            return shown;
        });
    }
    const auto times = rotate(plan_.windowRounds, sides);
    for (size_t i = 0; i < 3; ++i) {
        const double seconds = median(times[i]);
        const size_t items = plan_.windowSizes[i];
        say("window start-up with %zu items:%s s; closing%s s\n", items, list(times[i]).c_str(),
            list(closing[i]).c_str());
        notes_.push_back(
            format("info window-start-up items %zu seconds %.3f ms-per-item %.3f "
                   "closing-seconds %.3f rounds %d",
                   items, seconds, seconds * 1000 / items, median(closing[i]), plan_.windowRounds));
    }
    const double factor = static_cast<double>(plan_.windowSizes[2]) / plan_.windowSizes[0];
    notes_.push_back(
        format("figure window-scaling ratio %.3f goal none info "
               "(t(%zu items) / (%.0f x t(%zu items)))",
               medianRatio(times[2], times[0], factor), plan_.windowSizes[2], factor,
               plan_.windowSizes[0]));
    retireCatalogues();
}

void Bench::measureLoading() {
    // What the items read is checked on the first load of each catalogue;
    // the check is not timed.
    const auto load = [](const SyntheticCatalogue& c, bool& checked) {
        const double took = timeLoad(c, !checked);
        checked = true;
        return took;
    };
    const char* names[] = {"loading-1k", "loading-10k"};
    for (size_t i = 0; i < 2; ++i) {
        const SyntheticCatalogue& c = catalogue(plan_.loadSizes[i]);
        bool checked = false;
        const Rounds times = interleave(
            plan_.rounds, [&] { return load(c, checked); }, [&] { return c.bareRead(); });
        const double mine = median(times.mine);
        const double bare = median(times.bare);
        say("%s: loadAll%s s; open/query/close%s s\n", names[i], list(times.mine).c_str(),
            list(times.bare).c_str());
        figures_.push_back(ratioFigure(
            names[i], format("%zu items ", c.getItems().size()) + seconds("loadAll", mine),
            seconds("open/query/close", bare), medianRatio(times.mine, times.bare), 2,
            plan_.rounds));
        retireCatalogues(plan_.changed);
    }

    // The largest size, and the scaling figure from the same loads of it.
    // The bare reads of the smaller size show how much of the growth is the
    // registry's own.
    const SyntheticCatalogue& large = catalogue(plan_.loadSizes[2]);
    const SyntheticCatalogue& tenth = catalogue(plan_.tenth);
    bool checked[2] = {false, false};
    const auto times =
        rotate(plan_.largeRounds,
               {[&] { return load(large, checked[0]); }, [&] { return large.bareRead(); },
                [&] { return load(tenth, checked[1]); }, [&] { return tenth.bareRead(); }});
    const double mine = median(times[0]);
    const double bare = median(times[1]);
    const double factor = static_cast<double>(plan_.loadSizes[2]) / plan_.tenth;
    const double tenTimes = factor * median(times[2]);
    say("loading-50k: loadAll%s s; open/query/close%s s\n", list(times[0]).c_str(),
        list(times[1]).c_str());
    say("scaling: %zu items loadAll%s s; open/query/close%s s\n", plan_.tenth,
        list(times[2]).c_str(), list(times[3]).c_str());
    figures_.push_back(ratioFigure(
        "loading-50k", format("%zu items ", large.getItems().size()) + seconds("loadAll", mine),
        seconds("open/query/close", bare), medianRatio(times[0], times[1]), 2, plan_.largeRounds));
    figures_.push_back(ratioFigure(
        "scaling", format("%zu items ", large.getItems().size()) + seconds("loadAll", mine),
        format("%.0f x %zu items %.3f s", factor, plan_.tenth, tenTimes),
        medianRatio(times[0], times[2], factor), 1.1, plan_.largeRounds));
    notes_.push_back(
        format("info scaling of the bare registry calls alone: %.3f "
               "(open/query/close of %zu items / %.0f x of %zu items)",
               medianRatio(times[1], times[3], factor), plan_.loadSizes[2], factor, plan_.tenth));
    retireCatalogues(plan_.changed);
}

void Bench::measureApplying() {
    const SyntheticCatalogue& c = catalogue(plan_.changed);
    ApplyRounds rounds(c, work_.path(), plan_.regedit ? regeditPath() : L"");
    std::vector<std::function<double()>> sides{[&] { return rounds.applyByProgram(); },
                                               [&] { return rounds.applyBare(); }};
    if (plan_.regedit) sides.push_back([&] { return rounds.importByRegedit(); });
    // Turning the order of two sides would have the bare side write its data
    // twice in a row, the second time no change.
    const auto times = rotate(plan_.rounds, sides, plan_.regedit);
    const std::vector<double>& mine = times[0];
    const std::vector<double>& bare = times[1];
    const std::vector<double> regedit = plan_.regedit ? times[2] : std::vector<double>();
    say("applying: apply()%s s; open/set/close%s s\n", list(mine).c_str(), list(bare).c_str());
    if (plan_.regedit) say("applying: regedit.exe /s%s s\n", list(regedit).c_str());
    const double mineTime = median(mine);
    const double bareTime = median(bare);
    figures_.push_back(ratioFigure(
        "applying", format("%zu items ", c.getItems().size()) + seconds("apply()", mineTime),
        seconds("open/set/close", bareTime), medianRatio(mine, bare), 1.2, plan_.rounds));
    if (plan_.regedit) {
        notes_.push_back(
            format("info applying-vs-regedit ratio %.3f (apply() %.3f s / regedit.exe "
                   "/s of the same %zu values %.3f s, no goal)",
                   medianRatio(mine, regedit), mineTime, c.getItems().size(), median(regedit)));
    }
}

void Bench::measureSaving() {
    const SyntheticCatalogue& c = catalogue(plan_.changed);
    SaveRounds rounds(c, work_.path());
    const Rounds times = interleave(
        plan_.rounds, [&] { return rounds.saveByProgram(); }, [&] { return rounds.writeBare(); });
    const double mine = median(times.mine);
    const double bare = median(times.bare);
    say("saving: SaveTarget%s s; one WriteFile of %zu bytes%s s\n", list(times.mine).c_str(),
        rounds.getBytes(), list(times.bare).c_str());
    // The first save made the bytes for the bare side, before the rounds.
    std::vector<double> stored(rounds.getStoreSeconds().begin() + 1,
                               rounds.getStoreSeconds().end());
    notes_.push_back(
        format("info saving: of SaveTarget's %.3f s, the items' store() %.3f s, "
               "finish() writing the file the rest",
               mine, median(stored)));
    figures_.push_back(ratioFigure(
        "saving", format("%zu items ", c.getItems().size()) + seconds("SaveTarget", mine),
        format("WriteFile of %zu bytes %.3f s", rounds.getBytes(), bare),
        medianRatio(times.mine, times.bare), 3, plan_.rounds));
}

void Bench::measureParsing() {
    const std::wstring text = generateDefinitions(plan_.parseUnits);
    const double megabytes = text.size() * sizeof(wchar_t) / 1e6;
    size_t parsed = 0;
    size_t read = 0;
    const Rounds times = interleave(
        plan_.rounds, [&] { return secondsToParse(text, parsed); },
        [&] { return secondsToRead(text, read); });
    if (parsed == 0 || read != text.size()) throw std::runtime_error("parsing: nothing was read");
    const double parseSpeed = megabytes / median(times.mine);
    const double readSpeed = megabytes / median(times.bare);
    Figure figure;
    figure.name = "parsing";
    figure.mineText = format("parse %.2f MB: %.1f MB/s", megabytes, parseSpeed);
    figure.bareText = format("read unit by unit: %.1f MB/s", readSpeed);
    // A speed: higher is better, and the goal is a lower bound. Parse speed
    // over read speed is read time over parse time.
    figure.ratio = medianRatio(times.bare, times.mine);
    figure.atLeast = true;
    figure.goal = 0.33;
    figure.rounds = plan_.rounds;
    figures_.push_back(figure);
    notes_.push_back("info parsing ratio is parse speed / read speed: higher is better");
}

void Bench::measureMemory() {
    const std::wstring items = catalogue(plan_.changed).getDirectory();
    const Rounds peaks = interleave(
        plan_.memoryRounds, [&] { return static_cast<double>(childPeakWorkingSet(items)); },
        [&] { return static_cast<double>(childPeakWorkingSet(L"")); });
    const double loaded = median(peaks.mine);
    const double empty = median(peaks.bare);
    notes_.push_back(
        format("info peak-working-set items %zu mb %.1f empty-mb %.1f difference-mb "
               "%.1f kb-per-item %.2f rounds %d",
               plan_.changed, loaded / 1e6, empty / 1e6, (loaded - empty) / 1e6,
               (loaded - empty) / 1e3 / plan_.changed, plan_.memoryRounds));
}

bool Bench::run() {
    checkEmptyDisplay();
    // A figure that fails is reported and the others still measured; the
    // run then ends with an error.
    std::vector<std::string> failures;
    const std::pair<const char*, void (Bench::*)()> figures[] = {
        {"start-up", &Bench::measureStartup}, {"window start-up", &Bench::measureWindowScaling},
        {"loading", &Bench::measureLoading},  {"applying", &Bench::measureApplying},
        {"saving", &Bench::measureSaving},    {"parsing", &Bench::measureParsing},
        {"memory", &Bench::measureMemory}};
    for (const auto& [name, measure] : figures) {
        std::string error;
        try {
            (this->*measure)();
        } catch (const Exception& e) {
            error = narrow(e.getMessage());
        } catch (const std::exception& e) {
            error = e.what();
        }
        if (error.empty()) continue;
        say("%s failed: %s\n", name, error.c_str());
        failures.push_back(std::string(name) + ": " + error);
    }
    if (options_.smoke) say("\nsmoke run: tiny sizes and one round; the figures mean nothing\n");
    printFigures(figures_);
    for (const std::string& note : notes_) say("%s\n", note.c_str());
    for (const std::string& failure : failures) say("error %s\n", failure.c_str());
    return failures.empty();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"--peak-child") return runPeakChild(argv[2]);
    restrictDllSearchToSystem();
    Options options;
    if (!parseOptions(argc, argv, options)) {
        printUsage();
        return 2;
    }
    try {
        ClassTable::registerClasses();
        const ScratchKey scratch;
        Bench bench(options, options.smoke ? smokePlan : fullPlan);
        return bench.run() ? 0 : 1;
    } catch (const Exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "velmora-bench: %s\n", narrow(e.getMessage()).c_str());
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "velmora-bench: %s\n", e.what());
    }
    return 1;
}
