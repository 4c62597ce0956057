// One test run: the home window's choices as they stood when it started, and
// everything it built. One run is in use at a time, the one the results
// window shows; a new run starts it again from nothing (BeginRun). The layers
// above the run keep their own parts in it, each made by its layer the first
// time the run needs it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "run/modMainFunctions.h"

namespace trelvane {

class Platform;
struct SummaryIndexes;     // run/Summaries.cpp
struct ReferenceTableSet;  // content/ReferenceTables.cpp
struct ConversionStores;   // run/ConversionStores.h
struct ContentRun;         // content/ContentRun.h
struct ConversionRun;      // conversion/modKTVConversionFunctions.h

// The home window's choices, read once when a run starts: a run never
// yields, so nothing the user does during it changes how it goes on.
struct RunOptions {
    std::string filePath;  // a path, in the system's own form
    int profileIndex = 0;  // -1 none, 0 first profile, 1 second
    bool traceMode = false;
    bool errorsOnly = false;
    bool showWarnings = true;
    bool facChecks = false;  // the annex checks
    std::string yearCamp;    // four digits
    std::string procedureText;
    std::string profileText;
};

struct RunContext {
    RunOptions options;
    RunState state;
    std::int64_t warningCount = 0;  // warnings counted by the content report
    // Memory ran out where the failure was caught and the work went on: the
    // run is ended all the same, since what it built is incomplete.
    bool outOfMemory = false;
    std::shared_ptr<SummaryIndexes> summaries;
    std::shared_ptr<ReferenceTableSet> tables;
    std::shared_ptr<ConversionStores> stores;
    std::shared_ptr<ContentRun> content;
    std::shared_ptr<ConversionRun> conversion;

    RunContext() = default;
    RunContext(RunContext&&) = default;
    RunContext& operator=(RunContext&&) = default;
    RunContext(const RunContext&) = delete;
    RunContext& operator=(const RunContext&) = delete;
};

// The run in use.
RunContext& CurrentRun();

// Makes run the run in use for the scope's lifetime; the previous one comes
// back when it ends. A test, or a front end that keeps its runs apart.
class RunScope {
  public:
    explicit RunScope(RunContext& run);
    ~RunScope();
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

  private:
    RunContext* previous_;
};

// The choices of the home window, read from the platform.
RunOptions ReadRunOptions(Platform& platform);

// Starts a new run in the run in use: what the last one built is dropped,
// its memory given back, and the options become the new run's.
void BeginRun(RunOptions options);

// Memory ran out in a stage that caught it and went on.
void NoteOutOfMemory();
bool OutOfMemoryNoted();

}  // namespace trelvane
