#include "config/Platform.h"

#include <cstdio>
#include <cstdlib>

namespace trelvane {

namespace {

// Used until a front end installs its own: answers Yes, shows nothing.
class SilentPlatform final : public Platform {
  public:
    MsgAnswer ShowMessage(std::string_view, std::string_view, MsgIcon,
                          MsgButtons buttons) override {
        return buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
    }
    void ShowStatus(std::string_view) override {}
    bool TraceMode() override { return false; }
    bool ErrorsOnly() override { return false; }
    bool ShowWarnings() override { return true; }
    std::string YearCamp() override { return "2000"; }
    std::string FilePath() override { return {}; }
    std::string ProcedureText() override { return {}; }
    int ProfileIndex() override { return 0; }
    std::string ProfileText() override { return {}; }
    LocalDateTime Now() override { return {}; }
    std::string ProgramDirectory() override { return "."; }
    void EndApplication() override { std::exit(3); }
};

SilentPlatform g_silent;
Platform* g_platform = &g_silent;

std::string TwoDigits(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

}  // namespace

Platform& CurrentPlatform() {
    return *g_platform;
}

void SetPlatform(Platform* platform) {
    g_platform = platform ? platform : &g_silent;
}

std::string ShortDate(const LocalDateTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", t.day, t.month, t.year);
    return buf;
}

std::string LongTime(const LocalDateTime& t) {
    return TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" + TwoDigits(t.second);
}

}  // namespace trelvane
