#include "cli/JsonDump.h"

#include <string>
#include <string_view>
#include <vector>

#include "config/Cp1252.h"
#include "conversion/modKTVConversionFunctions.h"
#include "run/Summaries.h"
#include "run/modMainFunctions.h"
#include "run/modToolsFunctions.h"

namespace trelvane {

namespace {

class JsonWriter {
  public:
    explicit JsonWriter(std::FILE* out) : out_(out) {}
    ~JsonWriter() { Flush(); }

    void Raw(std::string_view s) {
        buf_ += s;
        if (buf_.size() > (1u << 20)) Flush();
    }
    void String(std::string_view cp1252) {
        buf_ += '"';
        for (char ch : Cp1252ToUtf8(cp1252)) {
            auto c = static_cast<unsigned char>(ch);
            switch (c) {
                case '"':
                    buf_ += "\\\"";
                    break;
                case '\\':
                    buf_ += "\\\\";
                    break;
                case '\n':
                    buf_ += "\\n";
                    break;
                case '\r':
                    buf_ += "\\r";
                    break;
                case '\t':
                    buf_ += "\\t";
                    break;
                default:
                    if (c < 0x20) {
                        char esc[8];
                        std::snprintf(esc, sizeof esc, "\\u%04x", c);
                        buf_ += esc;
                    } else {
                        buf_ += ch;
                    }
            }
        }
        buf_ += '"';
        if (buf_.size() > (1u << 20)) Flush();
    }
    template <typename List, typename Get>
    void Array(const List& list, std::size_t n, Get get) {
        Raw("[");
        for (std::size_t i = 0; i < n; ++i) {
            if (i) Raw(",");
            String(get(list, i));
        }
        Raw("]");
    }
    void Flush() {
        std::fwrite(buf_.data(), 1, buf_.size(), out_);
        buf_.clear();
    }

  private:
    std::FILE* out_;
    std::string buf_;
};

}  // namespace

void WriteRunStateJson(std::FILE* out, bool convertible) {
    const RunState& s = State();
    JsonWriter w(out);
    auto strings = [&](const StringList& l) {
        w.Array(l, l.size(),
                [](const StringList& x, std::size_t i) -> std::string_view { return x[i]; });
    };
    w.Raw("{\"Segments\":");
    w.Array(s.Segments, s.Segments.size(),
            [](const SegmentList& x, std::size_t i) { return x[i]; });
    w.Raw(",\"Delimiters\":");
    w.Array(s.Delimiters, s.Delimiters.size(),
            [](const auto& x, std::size_t i) -> std::string_view { return x[i]; });
    w.Raw(",\"SyntaxErrors\":");
    strings(s.SyntaxErrors);
    w.Raw(",\"ContentErrors\":");
    strings(s.ContentErrors);
    w.Raw(",\"ErrorsBySegment\":[");
    for (std::size_t i = 0; i < s.ErrorsBySegment.size(); ++i) {
        if (i) w.Raw(",");
        w.String(s.ErrorsBySegment.Element(i));
    }
    w.Raw("],\"DossierInfo\":[");
    for (std::size_t r = 0; r < s.DossierInfo.size(); ++r) {
        if (r) w.Raw(",");
        w.Array(s.DossierInfo[r], 4,
                [](const DossierRow& x, std::size_t i) -> std::string_view { return x[i]; });
    }
    w.Raw("],\"FNS3Lines\":");
    const Fns3LineList& lines = FNS3Lines();
    w.Array(lines, lines.size(), [](const Fns3LineList& x, std::size_t i) { return x[i]; });
    w.Raw(",\"FailedConversions\":[");
    const auto& failed = FailedConversions();
    for (std::size_t i = 0; i < failed.size(); ++i) {
        if (i) w.Raw(",");
        w.Raw("{\"interchange\":" + std::to_string(failed[i].interchange) +
              ",\"dossier\":" + std::to_string(failed[i].dossier) + "}");
    }
    w.Raw("],\"Dossiers\":[");
    const std::vector<DossierListRow> dossiers = BuildDossierList();
    for (std::size_t r = 0; r < dossiers.size(); ++r) {
        const DossierListRow& row = dossiers[r];
        w.Raw(r ? ",{\"number\":" : "{\"number\":");
        w.String(row.number);
        w.Raw(",\"nir\":");
        w.String(row.nir);
        w.Raw(",\"name\":");
        w.String(row.name);
        w.Raw(",\"rejects\":" + std::to_string(row.rejects) +
              ",\"warnings\":" + std::to_string(row.warnings) + ",\"verdict\":");
        w.String(VerdictText(row.verdict));
        w.Raw("}");
    }
    const TestedFile& file = s.File;
    w.Raw("],\"File\":{\"yearCamp\":");
    w.String(file.yearCamp);
    w.Raw(std::string(",\"read\":") + (file.read ? "true" : "false") +
          ",\"size\":" + std::to_string(file.size) + ",\"sha256\":");
    w.String(file.sha256);
    w.Raw(std::string(",\"utf8Bom\":") + (file.utf8Bom ? "true" : "false") +
          ",\"utf8Accents\":" + (file.utf8Accents ? "true" : "false") +
          ",\"terminators\":" + std::to_string(file.terminators) +
          ",\"terminatorsBeforeLineFeed\":" + std::to_string(file.terminatorsBeforeLineFeed) + "}");
    w.Raw(",\"WarningCount\":" + std::to_string(GetWarningCount()));
    w.Raw(std::string(",\"convertible\":") + (convertible ? "true" : "false") + "}\n");
}

}  // namespace trelvane
