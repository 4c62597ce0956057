#include "cli/ConsolePlatform.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "config/Cp1252.h"

namespace trelvane {

ConsolePlatform::ConsolePlatform(ConsoleChoices choices)
    : choices_(std::move(choices)), programDirectory_(ExecutableDirectory()) {}

MsgAnswer ConsolePlatform::ShowMessage(std::string_view title, std::string_view text, MsgIcon,
                                       MsgButtons buttons) {
    std::string flat;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            flat += ' ';
            ++i;
        } else {
            flat += text[i];
        }
    }
    std::fprintf(stderr, "%s : %s\n", Cp1252ToUtf8(title).c_str(), Cp1252ToUtf8(flat).c_str());
    if (buttons == MsgButtons::YesNo) {
        std::fprintf(stderr, "-> Oui\n");
        return MsgAnswer::Yes;
    }
    return MsgAnswer::Ok;
}

std::string ConsolePlatform::ProcedureText() {
    return "EDI KTV Tome 2";
}

std::string ConsolePlatform::ProfileText() {
    return std::string("VRK Déclaration des revenus"_cp);
}

LocalDateTime ConsolePlatform::Now() {
    return SystemNow();
}

void ConsolePlatform::EndApplication() {
    std::fflush(stdout);
    std::exit(3);
}

std::string ExecutableDirectory() {
    std::string buf(4096, '\0');
    ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0) return ".";
    buf.resize(static_cast<std::size_t>(n));
    auto slash = buf.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : buf.substr(0, slash));
}

LocalDateTime SystemNow() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace trelvane
