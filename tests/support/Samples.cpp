#include "support/Samples.h"

#include <charconv>
#include <stdexcept>

#include "config/Platform.h"
#include "content/modKTVContentChecker.h"
#include "run/RunContext.h"
#include "run/modMainFunctions.h"
#include "support/TestFiles.h"
#include "syntax/modKTVSyntaxChecker.h"

namespace trelvane::test {

std::string Ind(std::string_view form, int annex, std::string_view code, std::string_view target,
                std::string_view year) {
    std::string number = std::to_string(annex);
    number.insert(0, 4 - std::min<std::size_t>(4, number.size()), '0');
    std::string form8(form);
    form8.resize(8, ' ');
    return "IND++" + form8 + std::string(year) + number + "00" + std::string(code) +
           std::string(target);
}

std::string Moa(std::int64_t amount) {
    if (amount == 0) return "MOA+203:0:::62";
    if (amount < 0) return "MOA+203:" + std::to_string(-amount) + ":::65";
    return "MOA+203:" + std::to_string(amount);
}

Groups& Groups::Add(std::string_view list) {
    while (!list.empty()) {
        const std::size_t space = list.find(' ');
        const std::string_view item = list.substr(0, space);
        list = space == std::string_view::npos ? std::string_view() : list.substr(space + 1);
        if (item.empty()) continue;
        const char* form = item[0] == 'E' ? "KTVECE" : item[0] == 'C' ? "FACCE" : "FACIS";
        const std::size_t dot = item.find('.');
        int annex = 0;
        if (dot != std::string_view::npos)
            std::from_chars(item.data() + 1, item.data() + dot, annex);
        const std::size_t start = dot == std::string_view::npos ? 1 : dot + 1;
        const std::string_view code = item.substr(start, 4);
        std::int64_t amount = 1;
        if (item.size() > start + 5)
            std::from_chars(item.data() + start + 5, item.data() + item.size(), amount);
        if (code == "0139") {
            Add(form, annex, code, "CCI", {"CCI+++FAC::ZZ", "CAV+X:ABC:ZZ"});
        } else if (code == "0120" || code == "0022") {
            Add(form, annex, code, "FTX", {"FTX+AAI+++Note"});
        } else if (code == "0000") {
            Add(form, annex, code, "ZZZ");
        } else {
            Add(form, annex, code, "MOA", {Moa(amount)});
        }
    }
    return *this;
}

Groups& Groups::Add(std::string_view form, int annex, std::string_view code,
                    std::string_view target, const Segs& details) {
    segs.push_back("SEQ++" + std::to_string(++seq));
    segs.push_back(Ind(form, annex, code, target, year));
    segs.insert(segs.end(), details.begin(), details.end());
    return *this;
}

Segs Dossier(int reference, const Groups& groups, const std::string& nir) {
    const std::string ref = std::to_string(reference);
    Segs d = {"UNH+" + ref + "+KTV:D:00B:UN:KTV001",
              "BGM+KTV::ZZ+DOC0001",
              "DTM+137:20251215:102",
              "NAD+MS+SENDER01:ZZ:ZZ++CABINET DUPONT+12 RUE DES LILAS+PARIS++75001+FR",
              "NAD+MR+CSEKTV:ZZ:ZZ",
              "NAD+EM+EMP00001:ZZ:ZZ++SOCIETE MARTIN+3 AVENUE FOCH+LYON++69001+FR",
              "NAD+DT+" + nir + ":ZZ:ZZ++DURAN:DURAND JEAN+8 PLACE BELLECOUR+LYON++69002+FR"};
    d.insert(d.end(), groups.segs.begin(), groups.segs.end());
    d.push_back("UNT+" + std::to_string(d.size() + 1) + "+" + ref);
    return d;
}

Segs Envelope(const std::vector<Segs>& dossiers) {
    Segs s = {"UNA:+,? ",
              "UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+251215:1030+REF00000001+++++KTV001"};
    for (const Segs& d : dossiers)
        s.insert(s.end(), d.begin(), d.end());
    s.push_back("UNZ+" + std::to_string(dossiers.size()) + "+REF00000001");
    return s;
}

Segs With(Segs segs, std::size_t i, std::string_view text) {
    segs.at(i) = text;
    return segs;
}

Segs Changed(const Change& change, Segs sample) {
    std::string text = sample.at(change.at);
    const std::string from = change.from;
    if (from.empty()) {
        text = change.to;
    } else {
        text.replace(text.find(from), from.size(), change.to);
    }
    sample.erase(sample.begin() + static_cast<std::ptrdiff_t>(change.at));
    if (from.empty() && text.empty()) return sample;
    return Insert(sample, change.at, Cut(text + "'"));
}

Segs WithGroups(std::string_view groups, std::string_view bgm) {
    Segs s = With(Envelope(), kBGM, bgm);
    s.erase(s.begin() + kSEQ1, s.begin() + kUNT);
    return Recount(Insert(s, kSEQ1, Cut(groups)));
}

Segs Recount(Segs segs) {
    std::size_t unh = 0, messages = 0;
    for (std::size_t i = 0; i < segs.size(); ++i) {
        const std::string tag = segs[i].substr(0, 3);
        if (tag == "UNA") messages = 0;
        if (tag == "UNH") {
            unh = i;
            ++messages;
        }
        if (tag != "UNT" && tag != "UNZ") continue;
        const std::size_t plus = segs[i].find('+', 4);
        const std::string rest = plus == std::string::npos ? "" : segs[i].substr(plus);
        segs[i] = tag + "+" + std::to_string(tag == "UNT" ? i - unh + 1 : messages) + rest;
    }
    return segs;
}

Segs Insert(Segs segs, std::size_t i, const Segs& more) {
    segs.insert(segs.begin() + static_cast<std::ptrdiff_t>(i), more.begin(), more.end());
    return segs;
}

Segs Cut(std::string_view fragment) {
    Segs out;
    for (std::size_t end; (end = fragment.find('\'')) != std::string_view::npos;) {
        out.emplace_back(fragment.substr(0, end));
        fragment.remove_prefix(end + 1);
    }
    if (!fragment.empty()) throw std::invalid_argument("fragment without its last terminator");
    return out;
}

std::string FileText(const Segs& segs) {
    std::string out;
    for (const std::string& s : segs)
        out += W(s) + "'\r\n";
    return out;
}

std::string Records(const StringList& list) {
    std::string out;
    for (std::size_t i = 1; i < list.size(); ++i)
        out += (i > 1 ? " | " : "") + U(list[i]);
    return out;
}

SegmentList ToSegmentList(const Segs& segs) {
    SegmentList list;
    for (const std::string& s : segs)
        list.push_back(W(s));
    return list;
}

std::string ContentRecords(const Segs& segs) {
    // A run of its own, with the home window's choices as they stand now.
    BeginRun(ReadRunOptions(CurrentPlatform()));
    State().Delimiters = {"'", "+", ":", "?"};
    SegmentTexts texts(ToSegmentList(segs));
    return Records(ManageCContentKTV(texts));
}

std::string SyntaxRecords(const Segs& segs) {
    const StringList list = ManageCSyntaxKTV(ToSegmentList(segs));
    return U(list.at(0)) + (list.size() > 1 ? " | " + Records(list) : "");
}

}  // namespace trelvane::test
