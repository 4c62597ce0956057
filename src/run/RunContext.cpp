#include "run/RunContext.h"

#include <utility>

#include "config/Platform.h"

namespace trelvane {

namespace {

// The run in use: the process's own unless a scope lends another, as the
// platform in use is.
RunContext g_processRun;
RunContext* g_run = &g_processRun;

}  // namespace

RunContext& CurrentRun() {
    return *g_run;
}

RunScope::RunScope(RunContext& run) : previous_(g_run) {
    g_run = &run;
}

RunScope::~RunScope() {
    g_run = previous_;
}

RunOptions ReadRunOptions(Platform& platform) {
    RunOptions options;
    options.filePath = platform.FilePath();
    options.profileIndex = platform.ProfileIndex();
    options.traceMode = platform.TraceMode();
    options.errorsOnly = platform.ErrorsOnly();
    options.showWarnings = platform.ShowWarnings();
    options.facChecks = FacChecksChosen();
    options.yearCamp = platform.YearCamp();
    options.procedureText = platform.ProcedureText();
    options.profileText = platform.ProfileText();
    return options;
}

void BeginRun(RunOptions options) {
    RunContext& run = *g_run;
    // Dropped before anything is built again, so that two runs' data are
    // never held at once.
    run = RunContext();
    run.options = std::move(options);
}

void NoteOutOfMemory() {
    CurrentRun().outOfMemory = true;
}
bool OutOfMemoryNoted() {
    return CurrentRun().outOfMemory;
}

}  // namespace trelvane
