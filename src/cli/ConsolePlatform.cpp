#include "cli/ConsolePlatform.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/Cp1252.h"
#include "config/FileSystem.h"

namespace trelvane {

ConsolePlatform::ConsolePlatform(ConsoleChoices choices)
    : choices_(std::move(choices)), programDirectory_(os::ExecutableDirectory()) {}

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
    return std::string(kProcedureText);
}

std::string ConsolePlatform::ProfileText() {
    return std::string(kFirstProfileText);
}

LocalDateTime ConsolePlatform::Now() {
    return os::LocalNow();
}

void ConsolePlatform::EndApplication() {
    std::fflush(stdout);
    std::exit(3);
}

}  // namespace trelvane
