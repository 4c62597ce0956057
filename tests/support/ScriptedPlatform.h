// The platform for tests: they set the home window's choices, the clock and
// the answers to questions, and read back every message and status shown.
// Each test builds its own and installs it for its lifetime.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "config/Platform.h"
#include "run/RunContext.h"

namespace trelvane::test {

struct ShownMessage {
    std::string title;  // Windows-1252, as the core passed it
    std::string text;
    MsgIcon icon;
    MsgButtons buttons;
};

class ScriptedPlatform final : public Platform {
  public:
    // Installs itself as the current platform (the previous one comes back
    // when it is destroyed) and turns the annex checks on, as the front ends
    // do. programDirectory defaults to a fresh temporary
    // directory holding the project's data files.
    explicit ScriptedPlatform(std::string programDirectory = {});
    ~ScriptedPlatform() override;
    ScriptedPlatform(const ScriptedPlatform&) = delete;
    ScriptedPlatform& operator=(const ScriptedPlatform&) = delete;

    // The run in use while the platform lives: a test starts from nothing.
    RunContext run;

    // Choices of the home window. They are the run's own options, so that a
    // test that drives the checks or the reports itself, not through
    // MainTest, runs with the choices it sets.
    bool& trace = run.options.traceMode;
    bool& errorsOnly = run.options.errorsOnly;
    bool& showWarnings = run.options.showWarnings;
    std::string& yearCamp = run.options.yearCamp;
    std::string& filePath = run.options.filePath;
    std::string& procedureText = run.options.procedureText;
    int& profileIndex = run.options.profileIndex;
    std::string& profileText = run.options.profileText;
    LocalDateTime now{2026, 12, 5, 17, 45, 38};

    // Answers to Yes/No questions, in order; Yes when the queue is empty.
    std::deque<MsgAnswer> answers;
    std::vector<ShownMessage> messages;
    std::vector<std::string> statuses;
    int endApplicationCalls = 0;

    // Utf-8 views of what was shown, for readable assertions.
    std::vector<std::string> MessageTitlesUtf8() const;
    std::vector<std::string> MessageTextsUtf8() const;

    MsgAnswer ShowMessage(std::string_view title, std::string_view text, MsgIcon icon,
                          MsgButtons buttons) override;
    void ShowStatus(std::string_view text) override { statuses.emplace_back(text); }
    bool TraceMode() override { return trace; }
    bool ErrorsOnly() override { return errorsOnly; }
    bool ShowWarnings() override { return showWarnings; }
    std::string YearCamp() override { return yearCamp; }
    std::string FilePath() override { return filePath; }
    std::string ProcedureText() override { return procedureText; }
    int ProfileIndex() override { return profileIndex; }
    std::string ProfileText() override { return profileText; }
    LocalDateTime Now() override { return now; }
    std::string ProgramDirectory() override { return programDirectory_; }
    void EndApplication() override { ++endApplicationCalls; }

    const std::string& Directory() const { return programDirectory_; }

  private:
    std::string programDirectory_;
    bool ownsDirectory_ = false;
    Platform* previous_;
    RunScope scope_{run};
};

}  // namespace trelvane::test
