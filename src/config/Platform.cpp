#include "config/Platform.h"

#include <array>
#include <cstdio>
#include <cstdlib>

#include "config/Cp1252.h"

namespace trelvane {

namespace {

SilentPlatform g_silent;
Platform* g_platform = &g_silent;

struct Gathered {
    std::string title;
    std::string text;  // the first one's
    MsgIcon icon = MsgIcon::None;
    std::int64_t count = 0;
    bool shown = false;  // already shown in this run: later ones are only counted
};
constexpr std::size_t kRepeatedKinds = 3;
std::array<Gathered, kRepeatedKinds> g_gathered;
int g_gathering = 0;

std::string RepeatNote(RepeatedMessage kind, std::int64_t count) {
    if (kind == RepeatedMessage::UnexpectedFailure) {
        return count == 1
                   ? std::string(
                         "En tout, 1 erreur inattendue s'est produite pendant les tests ; "
                         "le rapport de contenu la liste sous le code 777."_cp)
                   : "En tout, "_cp + GroupedNumber(count) +
                         " erreurs inattendues se sont produites pendant les tests ; le rapport "
                         "de contenu les liste sous le code 777."_cp;
    }
    if (count == 1) return {};
    return "Ce message s'est répété "_cp + GroupedNumber(count) + " fois pendant le test."_cp;
}

std::string TwoDigits(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

}  // namespace

MsgAnswer SilentPlatform::ShowMessage(std::string_view, std::string_view, MsgIcon,
                                      MsgButtons buttons) {
    return buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
}

void SilentPlatform::EndApplication() {
    std::exit(3);
}

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

std::string GroupedNumber(std::int64_t n) {
    const auto magnitude = static_cast<std::uint64_t>(n);
    const std::string digits = std::to_string(n < 0 ? 0 - magnitude : magnitude);
    std::string out = n < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ' ';
        out += digits[i];
    }
    return out;
}

void ShowRepeatedMessage(RepeatedMessage kind, std::string_view title, std::string_view text,
                         MsgIcon icon) {
    if (g_gathering == 0) {
        CurrentPlatform().ShowMessage(title, text, icon, MsgButtons::Ok);
        return;
    }
    Gathered& g = g_gathered[static_cast<std::size_t>(kind)];
    if (g.count++ == 0) {
        g.title = title;
        g.text = text;
        g.icon = icon;
    }
}

void ShowGatheredMessages() {
    for (std::size_t k = 0; k < kRepeatedKinds; ++k) {
        Gathered& g = g_gathered[k];
        if (g.count == 0 || g.shown) continue;
        g.shown = true;
        std::string text = g.text;
        const std::string note = RepeatNote(static_cast<RepeatedMessage>(k), g.count);
        if (!note.empty()) text += "\r\n\r\n" + note;
        CurrentPlatform().ShowMessage(g.title, text, g.icon, MsgButtons::Ok);
    }
}

GatheredMessages::GatheredMessages() {
    if (g_gathering++ == 0) g_gathered = {};
}

GatheredMessages::~GatheredMessages() {
    if (g_gathering > 1) {
        --g_gathering;
        return;
    }
    ShowGatheredMessages();
    g_gathering = 0;
    g_gathered = {};
}

}  // namespace trelvane
