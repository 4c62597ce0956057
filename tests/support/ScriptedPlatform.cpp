#include "support/ScriptedPlatform.h"

#include "config/Cp1252.h"
#include "run/modToolsFunctions.h"
#include "support/TestFiles.h"

namespace trelvane::test {

ScriptedPlatform::ScriptedPlatform(std::string programDirectory)
    : programDirectory_(std::move(programDirectory)), previous_(&CurrentPlatform()) {
    if (programDirectory_.empty()) {
        programDirectory_ = MakeTempDir();
        CopyDataFiles(programDirectory_);
        ownsDirectory_ = true;
    }
    yearCamp = "2006";
    procedureText = "EDI KTV Tome 2";
    profileText = std::string("VRK Déclaration des revenus"_cp);
    run.options.facChecks = FacChecksChosen();
    SetPlatform(this);
    // As every front end does when it starts.
    SetFacChecksEnabled(true);
}

ScriptedPlatform::~ScriptedPlatform() {
    SetPlatform(previous_);
    if (ownsDirectory_) RemoveTree(programDirectory_);
}

MsgAnswer ScriptedPlatform::ShowMessage(std::string_view title, std::string_view text, MsgIcon icon,
                                        MsgButtons buttons) {
    messages.push_back({std::string(title), std::string(text), icon, buttons});
    if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
    if (answers.empty()) return MsgAnswer::Yes;
    MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
}

std::vector<std::string> ScriptedPlatform::MessageTitlesUtf8() const {
    std::vector<std::string> out;
    for (const auto& m : messages)
        out.push_back(Cp1252ToUtf8(m.title));
    return out;
}

std::vector<std::string> ScriptedPlatform::MessageTextsUtf8() const {
    std::vector<std::string> out;
    for (const auto& m : messages)
        out.push_back(Cp1252ToUtf8(m.text));
    return out;
}

}  // namespace trelvane::test
