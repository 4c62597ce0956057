// The generator's dossiers, faults and writing (options in GenKtv.h).
#include "GenKtv.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

// splitmix64: the same stream on every platform, unlike std distributions.
class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [0, n).
    std::int64_t Below(std::int64_t n) {
        return n <= 0 ? 0 : static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(n));
    }
    std::int64_t Between(std::int64_t lo, std::int64_t hi) { return lo + Below(hi - lo + 1); }
    bool Chance(double p) {
        return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0) < p;
    }
    template <typename T>
    const T& Pick(const std::vector<T>& v) {
        return v[static_cast<std::size_t>(Below(static_cast<std::int64_t>(v.size())))];
    }

  private:
    std::uint64_t state_;
};

enum class Fault {
    DropSegment,
    DupSegment,
    UnknownTag,
    UntCount,
    UnzCount,
    BadDate,
    ZeroAmount,
    NegativeAmount,
    SeqNumber,
    DupNir,
    FtxOverSix,
    FacNo0139,
    Fac0046,
    FacBalance,
    Fac0124,
    FacisCode,
    MainExclusive,
};

struct FaultName {
    const char* name;
    Fault kind;
    bool syntax;
};

constexpr FaultName kFaultNames[] = {
    {"drop-segment", Fault::DropSegment, true},
    {"dup-segment", Fault::DupSegment, true},
    {"unknown-tag", Fault::UnknownTag, true},
    {"unt-count", Fault::UntCount, true},
    {"unz-count", Fault::UnzCount, true},
    {"bad-date", Fault::BadDate, false},
    {"zero-amount", Fault::ZeroAmount, false},
    {"negative-amount", Fault::NegativeAmount, false},
    {"seq-number", Fault::SeqNumber, false},
    {"dup-nir", Fault::DupNir, false},
    {"ftx-over-six", Fault::FtxOverSix, false},
    {"fac-no-0139", Fault::FacNo0139, false},
    {"fac-0046", Fault::Fac0046, false},
    {"fac-balance", Fault::FacBalance, false},
    {"fac-0124", Fault::Fac0124, false},
    {"facis-code", Fault::FacisCode, false},
    {"main-exclusive", Fault::MainExclusive, false},
};

bool IsSyntaxFault(Fault f) {
    for (const auto& n : kFaultNames)
        if (n.kind == f) return n.syntax;
    return false;
}

// Segment carrying each information code (the reference table of codes).
const char* SegmentOfCode(std::string_view code) {
    static constexpr struct {
        const char* code;
        const char* tag;
    } kCodes[] = {
        {"0000", "ZZZ"}, {"0001", "MOA"}, {"0010", "MOA"}, {"0011", "MOA"}, {"0012", "MOA"},
        {"0013", "MOA"}, {"0014", "MOA"}, {"0015", "MOA"}, {"0016", "MOA"}, {"0020", "RFF"},
        {"0021", "DTM"}, {"0022", "FTX"}, {"0023", "CCI"}, {"0028", "MOA"}, {"0029", "MOA"},
        {"0035", "MOA"}, {"0036", "MOA"}, {"0037", "MOA"}, {"0045", "MOA"}, {"0046", "MOA"},
        {"0050", "NAD"}, {"0051", "PCD"}, {"0055", "MOA"}, {"0061", "MOA"}, {"0120", "FTX"},
        {"0124", "MOA"}, {"0129", "MOA"}, {"0130", "MOA"}, {"0131", "MOA"}, {"0132", "MOA"},
        {"0139", "CCI"}, {"0235", "MOA"}, {"0236", "MOA"}, {"0237", "MOA"}, {"0238", "MOA"},
    };
    for (const auto& c : kCodes)
        if (code == c.code) return c.tag;
    return "MOA";
}

enum class Form { Main, Facce, Facis };

// One SEQ group: the IND announcing the code, and the detail that follows.
struct Group {
    Form form = Form::Main;
    int annex = 0;
    std::string code;
    std::int64_t amount = 0;  // MOA codes
    std::string detail;       // other codes: the detail segment(s), already written
    std::string moaOverride;  // a faulty MOA composite, written as is
};

struct Dossier {
    std::string nir;
    int yearFull = 2025;  // year of the INDs, with its century
    bool emptyDeclaration = false;
    bool badDate = false;
    int wrongSeqGroup = -1;  // 0-based group whose SEQ number is wrong
    bool rff1 = false, rff2 = false;
    std::vector<Group> groups;
};

struct Options {
    std::string output;
    long long dossiers = 10;
    int interchanges = 1;
    int year = 2025;
    std::uint64_t seed = 1;
    double sizeMb = 0;
    bool crlf = true;
    bool lean = false;  // few optional informations: small sample files
    std::vector<Fault> faults;
    double faultRate = -1;
};

const std::vector<std::string> kLastNames = {
    "MARTIN", "BERNARD", "DUBOIS",  "THOMAS",   "ROBERT", "RICHARD", "PETIT", "DURAND",   "LEROY",
    "MOREAU", "SIMON",   "LAURENT", "LEFEBVRE", "MICHEL", "GARCIA",  "DAVID", "BERTRAND", "ROUX"};
const std::vector<std::string> kFirstNames = {"JEAN",   "MARIE", "PIERRE", "ANNE",  "LUC",
                                              "CLAIRE", "PAUL",  "SOPHIE", "HENRI", "JULIE"};
const std::vector<std::string> kStreets = {
    "RUE DES LILAS",      "AVENUE FOCH",        "PLACE BELLECOUR",
    "BOULEVARD VOLTAIRE", "RUE DE LA PAIX",     "CHEMIN DES VIGNES",
    "RUE VICTOR HUGO",    "ALLEE DES TILLEULS", "QUAI DE SAONE"};
const std::vector<std::string> kCities = {"PARIS", "LYON",   "MARSEILLE", "TOULOUSE", "NANTES",
                                          "LILLE", "RENNES", "BORDEAUX",  "DIJON",    "NICE"};
const std::vector<std::string> kCompanies = {"SOCIETE MARTIN",  "ATELIERS DU RHONE",
                                             "TRANSPORTS ROUX", "BOULANGERIE PETIT",
                                             "GARAGE CENTRAL",  "SARL LES GLYCINES"};
const std::vector<std::string> kTexts = {"REVENUS EXCEPTIONNELS",          "FRAIS REELS DEDUITS",
                                         "PENSION ALIMENTAIRE VERSEE",     "DONS AUX OEUVRES",
                                         "TRAVAUX D?'ECONOMIE D?'ENERGIE", "FRAIS?+DIVERS"};

std::string Digits(std::int64_t value, int width) {
    std::string s = std::to_string(value);
    if (static_cast<int>(s.size()) < width)
        s.insert(0, static_cast<std::size_t>(width) - s.size(), '0');
    return s;
}

class Generator {
  public:
    explicit Generator(const Options& o) : opt_(o), rng_(o.seed * 0x2545F4914F6CDD1DULL + 7) {
        nirOffset_ = static_cast<std::int64_t>(rng_.Below(1000000000000LL));
    }

    void Run(std::FILE* out) {
        out_ = out;
        const long long perInterchange =
            opt_.interchanges > 0 ? (opt_.dossiers + opt_.interchanges - 1) / opt_.interchanges : 0;
        long long remaining = opt_.dossiers;
        const double targetBytes = opt_.sizeMb * 1024.0 * 1024.0 / std::max(1, opt_.interchanges);
        for (int k = 1; k <= opt_.interchanges; ++k) {
            const long long count = std::min(perInterchange, remaining);
            remaining -= count;
            Interchange(k, count, targetBytes);
        }
        Flush();
    }

  private:
    const Options& opt_;
    Rng rng_;
    std::FILE* out_ = nullptr;
    std::string buffer_;
    std::int64_t nirOffset_ = 0;
    long long dossierIndex_ = 0;  // over the whole file
    std::string lastNir_;
    bool pendingDupNir_ = false;
    bool unzFault_ = false;

    void Flush() {
        if (!buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), out_);
        buffer_.clear();
    }

    void Put(std::string_view segment) {
        buffer_ += segment;
        buffer_ += '\'';
        if (opt_.crlf) buffer_ += "\r\n";
        if (buffer_.size() > (4u << 20)) Flush();
    }

    std::string Yy(int year) const { return Digits(year % 100, 2); }

    void Interchange(int number, long long count, double targetBytes) {
        const std::string ref = "REF" + Digits(number, 8);
        const int y = opt_.year;
        Put("UNA:+,? ");
        Put("UNB+UNOC:3+SENDER01:ZZ:ROUTE+CSEKTV:ZZ:ROUTE+" + Yy(y) + "1215:1030+" + ref +
            "+++++KTV001");
        unzFault_ = false;
        long long written = 0;
        double bytes = 0;
        for (;;) {
            if (opt_.sizeMb > 0) {
                if (bytes >= targetBytes) break;
            } else if (written >= count) {
                break;
            }
            ++written;
            bytes += static_cast<double>(Message(written));
        }
        long long unz = written;
        if (unzFault_) unz += 1;
        Put("UNZ+" + std::to_string(unz) + "+" + ref);
    }

    std::string NextNir() {
        // A bijection of the dossier index modulo 10^12 keeps NIRs unique.
        const std::int64_t mod = 1000000000000LL;
        const std::int64_t n = (dossierIndex_ * 7919LL * 1000003LL + nirOffset_) % mod;
        return std::string(1, (dossierIndex_ % 2) ? '2' : '1') + Digits(n, 12);
    }

    std::vector<Fault> DrawFaults(std::size_t segmentCount) {
        std::vector<Fault> kinds = opt_.faults;
        if (opt_.faultRate >= 0) {
            if (kinds.empty())
                for (const auto& n : kFaultNames)
                    if (n.syntax) kinds.push_back(n.kind);
            std::vector<Fault> drawn;
            for (std::size_t i = 0; i < segmentCount; ++i)
                if (rng_.Chance(opt_.faultRate)) drawn.push_back(rng_.Pick(kinds));
            return drawn;
        }
        if (dossierIndex_ < static_cast<long long>(kinds.size()))
            return {kinds[static_cast<std::size_t>(dossierIndex_)]};
        return {};
    }

    // Returns the number of bytes written.
    std::size_t Message(long long number) {
        Dossier d = Build();
        std::vector<std::string> segs;
        Render(d, number, segs);
        std::vector<Fault> faults = DrawFaults(segs.size());
        if (pendingDupNir_ && !lastNir_.empty()) {
            d.nir = lastNir_;
            pendingDupNir_ = false;
        }
        // A content fault breaks its rule once per dossier, however often drawn.
        bool contentFault = false;
        std::vector<Fault> applied;
        for (Fault f : faults) {
            if (!IsSyntaxFault(f) &&
                std::find(applied.begin(), applied.end(), f) == applied.end()) {
                ApplyContentFault(d, f);
                applied.push_back(f);
                contentFault = true;
            }
        }
        if (contentFault || d.nir == lastNir_) Render(d, number, segs);
        bool untFault = false;
        for (Fault f : faults) {
            if (IsSyntaxFault(f)) untFault |= ApplySyntaxFault(segs, f);
        }
        // The trailer counts what is really there, unless its count is the fault.
        std::int64_t c = static_cast<std::int64_t>(segs.size()) + 1;
        if (untFault) c += 1;
        segs.push_back("UNT+" + std::to_string(c) + "+" + std::to_string(number));
        lastNir_ = d.nir;
        ++dossierIndex_;
        std::size_t bytes = 0;
        const std::size_t extra = opt_.crlf ? 3 : 1;
        for (const auto& s : segs) {
            Put(s);
            bytes += s.size() + extra;
        }
        return bytes;
    }

    // --- the valid dossier --------------------------------------------------

    // An optional information; lean dossiers keep few of them.
    bool Optional(double p) { return rng_.Chance(opt_.lean ? p / 5 : p); }

    Group Moa(Form f, int annex, std::string code, std::int64_t amount) {
        Group g;
        g.form = f;
        g.annex = annex;
        g.code = std::move(code);
        g.amount = amount;
        return g;
    }

    Group Detail(Form f, int annex, std::string code, std::string detail) {
        Group g;
        g.form = f;
        g.annex = annex;
        g.code = std::move(code);
        g.detail = std::move(detail);
        return g;
    }

    std::string FtxDetail() {
        std::string text =
            rng_.Below(10) == 0 ? rng_.Pick(kTexts) : rng_.Pick(kTexts).substr(0, 20);
        if (text.empty() || text.back() == '?') text = "FRAIS DIVERS";
        return "FTX+AAI+++" + text;
    }

    std::string DtmDetail(int year) {
        return "DTM+194:" + std::to_string(year) + Digits(rng_.Between(1, 12), 2) +
               Digits(rng_.Between(1, 28), 2) + ":102";
    }

    std::string PcdDetail() {
        const std::int64_t hundredths = rng_.Between(0, 10000);
        std::string v = std::to_string(hundredths / 100);
        if (hundredths % 100) v += "," + Digits(hundredths % 100, 2);
        return "PCD+12:" + v;
    }

    std::string CciDetail() { return "CCI+++FAC::ZZ\nCAV+X:ABC:ZZ"; }

    std::string NadCompany() {
        return "NAD+CO+" + Digits(rng_.Between(100000000, 999999999), 9) + ":ZZ:ZZ++" +
               rng_.Pick(kCompanies);
    }

    void AddFacce(Dossier& d, int n) {
        if (Optional(0.6)) d.groups.push_back(Detail(Form::Facce, n, "0050", NadCompany()));
        const std::int64_t a = rng_.Between(100, 20000);
        const bool with45 = rng_.Chance(0.7);
        const std::int64_t b = with45 ? rng_.Between(0, 8000) : 0;
        d.groups.push_back(Moa(Form::Facce, n, "0035", a));
        if (Optional(0.3)) d.groups.push_back(Moa(Form::Facce, n, "0028", rng_.Between(1, 999)));
        if (with45) {
            d.groups.push_back(Moa(Form::Facce, n, "0045", b));
            if (Optional(0.3))
                d.groups.push_back(Moa(Form::Facce, n, "0036", rng_.Between(1, 999)));
        }
        if (Optional(0.7)) d.groups.push_back(Moa(Form::Facce, n, "0046", a + b));
        const int texts = static_cast<int>(rng_.Below(3));
        for (int i = 0; i < texts; ++i)
            d.groups.push_back(Detail(Form::Facce, n, "0120", FtxDetail()));
        d.groups.push_back(Detail(Form::Facce, n, "0139", CciDetail()));
    }

    void AddFacis(Dossier& d, int n) {
        static const std::vector<std::string> kFacisCodes = {"0235", "0236", "0237", "0238"};
        const int first = static_cast<int>(rng_.Below(4));
        const int count = static_cast<int>(rng_.Between(1, 4 - first));
        for (int i = 0; i < count; ++i)
            d.groups.push_back(Moa(Form::Facis, n, kFacisCodes[static_cast<std::size_t>(first + i)],
                                   rng_.Between(0, 30000)));
        d.groups.push_back(Detail(Form::Facis, n, "0139", CciDetail()));
    }

    Group* Find(Dossier& d, Form f, std::string_view code, int annex = -1) {
        for (auto& g : d.groups)
            if (g.form == f && g.code == code && (annex < 0 || g.annex == annex)) return &g;
        return nullptr;
    }

    // Sum of 0010 to 0015 = 0055 + totals of the calculation annexes: 0010
    // takes up the difference, 0055 grows when 0010 would fall below 1.
    void Rebalance(Dossier& d) {
        Group* g10 = Find(d, Form::Main, "0010");
        Group* g55 = Find(d, Form::Main, "0055");
        if (!g10 || !g55) return;
        std::int64_t annexTotal = 0, others = 0;
        for (const auto& g : d.groups) {
            if (g.form == Form::Facce && (g.code == "0035" || g.code == "0045"))
                annexTotal += g.amount;
            if (g.form == Form::Main && g.code >= "0011" && g.code <= "0015") others += g.amount;
        }
        std::int64_t v = g55->amount + annexTotal - others;
        if (v < 1) {
            g55->amount += 1 - v;
            v = 1;
        }
        g10->amount = v;
    }

    Dossier Build() {
        Dossier d;
        d.nir = NextNir();
        d.yearFull = rng_.Chance(0.85) ? opt_.year : opt_.year - 1;
        d.rff1 = rng_.Chance(0.3);
        d.rff2 = rng_.Chance(0.3);
        if (rng_.Below(50) == 0) {
            d.emptyDeclaration = true;
            return d;
        }
        const bool facisOnly = rng_.Below(30) == 0;
        if (!facisOnly) {
            d.groups.push_back(Moa(Form::Main, 0, "0010", 0));
            if (Optional(0.5))
                d.groups.push_back(
                    Moa(Form::Main, 0, rng_.Chance(0.5) ? "0012" : "0013", rng_.Between(0, 20000)));
            if (Optional(0.4))
                d.groups.push_back(Moa(Form::Main, 0, rng_.Chance(0.5) ? "0014" : "0015",
                                       rng_.Between(-500, 20000)));
            d.groups.push_back(Moa(Form::Main, 0, "0016", rng_.Between(1, 5000)));
            if (Optional(0.4))
                d.groups.push_back(Moa(Form::Main, 0, "0124", rng_.Between(1, 5000)));
            if (Optional(0.55))
                d.groups.push_back(
                    Detail(Form::Main, 0, "0020", "RFF+ABC:" + Digits(rng_.Below(100000000), 8)));
            if (Optional(0.55))
                d.groups.push_back(Detail(Form::Main, 0, "0021", DtmDetail(d.yearFull)));
            if (Optional(0.5)) d.groups.push_back(Detail(Form::Main, 0, "0022", FtxDetail()));
            if (Optional(0.4)) d.groups.push_back(Detail(Form::Main, 0, "0023", CciDetail()));
            if (Optional(0.55))
                d.groups.push_back(
                    Moa(Form::Main, 0, rng_.Chance(0.5) ? "0129" : "0130", rng_.Between(0, 9000)));
            if (Optional(0.55))
                d.groups.push_back(Moa(Form::Main, 0, rng_.Chance(0.5) ? "0131" : "0132",
                                       rng_.Between(-900, 9000)));
            if (Optional(0.55))
                d.groups.push_back(Moa(Form::Main, 0, "0061", rng_.Between(1, 9000)));
            if (Optional(0.4)) d.groups.push_back(Detail(Form::Main, 0, "0051", PcdDetail()));
            if (Optional(0.4)) d.groups.push_back(Detail(Form::Main, 0, "0120", FtxDetail()));
            d.groups.push_back(Moa(Form::Main, 0, "0055", rng_.Between(0, 40000)));
            const int facce = static_cast<int>(rng_.Below(opt_.lean ? 2 : 6));
            for (int n = 1; n <= facce; ++n)
                AddFacce(d, n);
        }
        const int facis = static_cast<int>(rng_.Below(opt_.lean ? 2 : 3)) + (facisOnly ? 1 : 0);
        for (int n = 1; n <= facis; ++n)
            AddFacis(d, n);
        Rebalance(d);
        return d;
    }

    // --- faults ---------------------------------------------------------------

    int EnsureFacce(Dossier& d) {
        for (const auto& g : d.groups)
            if (g.form == Form::Facce) return g.annex;
        if (d.emptyDeclaration || !Find(d, Form::Main, "0010")) {
            // Turn it into an ordinary dossier first.
            d.emptyDeclaration = false;
            d.groups.clear();
            d.groups.push_back(Moa(Form::Main, 0, "0010", 0));
            d.groups.push_back(Moa(Form::Main, 0, "0016", 100));
            d.groups.push_back(Moa(Form::Main, 0, "0055", 1000));
        }
        // Calculation annexes come before the complementary income ones.
        std::vector<Group> facis;
        std::vector<Group> rest;
        for (auto& g : d.groups)
            (g.form == Form::Facis ? facis : rest).push_back(std::move(g));
        d.groups = std::move(rest);
        AddFacce(d, 1);
        d.groups.insert(d.groups.end(), facis.begin(), facis.end());
        Rebalance(d);
        return 1;
    }

    std::size_t FacceEnd(const Dossier& d, int annex) {
        std::size_t end = 0;
        for (std::size_t i = 0; i < d.groups.size(); ++i)
            if (d.groups[i].form == Form::Facce && d.groups[i].annex == annex) end = i + 1;
        return end;
    }

    Group* FreeMoa(Dossier& d) {
        for (auto& g : d.groups)
            if (g.form == Form::Main &&
                (g.code == "0016" || g.code == "0061" || g.code == "0129" || g.code == "0130"))
                return &g;
        if (d.emptyDeclaration) EnsureFacce(d);
        // Before the 0055 group, which always closes the main amounts.
        auto at = std::find_if(d.groups.begin(), d.groups.end(),
                               [](const Group& g) { return g.code == "0055"; });
        if (at == d.groups.end()) at = d.groups.begin();
        return &*d.groups.insert(at, Moa(Form::Main, 0, "0061", 500));
    }

    void ApplyContentFault(Dossier& d, Fault f) {
        switch (f) {
            case Fault::BadDate:
                d.badDate = true;
                break;
            case Fault::ZeroAmount:
                FreeMoa(d)->moaOverride = "203:0";
                break;
            case Fault::NegativeAmount:
                FreeMoa(d)->moaOverride = "203:-120";
                break;
            case Fault::SeqNumber:
                d.wrongSeqGroup = static_cast<int>(rng_.Below(
                    static_cast<std::int64_t>(std::max<std::size_t>(1, d.groups.size()))));
                break;
            case Fault::DupNir:
                if (!lastNir_.empty())
                    d.nir = lastNir_;
                else
                    pendingDupNir_ = true;
                break;
            case Fault::FtxOverSix: {
                const int n = EnsureFacce(d);
                int have = 0;
                for (const auto& g : d.groups)
                    if (g.form == Form::Facce && g.annex == n && g.code == "0120") ++have;
                const std::size_t at = FacceEnd(d, n) - 1;  // before its 0139
                for (int i = have; i < 7; ++i)
                    d.groups.insert(d.groups.begin() + static_cast<std::ptrdiff_t>(at),
                                    Detail(Form::Facce, n, "0120", FtxDetail()));
                break;
            }
            case Fault::FacNo0139: {
                const int n = EnsureFacce(d);
                std::erase_if(d.groups, [n](const Group& g) {
                    return g.form == Form::Facce && g.annex == n && g.code == "0139";
                });
                break;
            }
            case Fault::Fac0046: {
                const int n = EnsureFacce(d);
                Group* g46 = Find(d, Form::Facce, "0046", n);
                if (!g46) {
                    const std::size_t at = FacceEnd(d, n) - 1;
                    g46 = &*d.groups.insert(d.groups.begin() + static_cast<std::ptrdiff_t>(at),
                                            Moa(Form::Facce, n, "0046", 0));
                    std::int64_t sum = 0;
                    for (const auto& g : d.groups)
                        if (g.form == Form::Facce && g.annex == n &&
                            (g.code == "0035" || g.code == "0045"))
                            sum += g.amount;
                    g46->amount = sum;
                }
                g46->amount += 1;
                break;
            }
            case Fault::FacBalance:
                EnsureFacce(d);
                if (Group* g55 = Find(d, Form::Main, "0055")) g55->amount += 1;
                break;
            case Fault::Fac0124: {
                if (d.emptyDeclaration || !Find(d, Form::Main, "0055")) EnsureFacce(d);
                std::erase_if(d.groups, [](const Group& g) { return g.code == "0016"; });
                if (!Find(d, Form::Main, "0124")) {
                    auto at = std::find_if(d.groups.begin(), d.groups.end(),
                                           [](const Group& g) { return g.code == "0055"; });
                    d.groups.insert(at, Moa(Form::Main, 0, "0124", 250));
                }
                break;
            }
            case Fault::FacisCode: {
                if (d.emptyDeclaration) EnsureFacce(d);
                bool any = false;
                for (const auto& g : d.groups)
                    any |= g.form == Form::Facis;
                if (!any) AddFacis(d, 1);
                for (std::size_t i = 0; i < d.groups.size(); ++i) {
                    if (d.groups[i].form == Form::Facis) {
                        d.groups.insert(d.groups.begin() + static_cast<std::ptrdiff_t>(i),
                                        Moa(Form::Facis, d.groups[i].annex, "0061", 300));
                        break;
                    }
                }
                break;
            }
            case Fault::MainExclusive: {
                if (d.emptyDeclaration || !Find(d, Form::Main, "0010")) EnsureFacce(d);
                if (!Find(d, Form::Main, "0011")) {
                    auto at = std::find_if(d.groups.begin(), d.groups.end(),
                                           [](const Group& g) { return g.code == "0010"; });
                    d.groups.insert(at + 1, Moa(Form::Main, 0, "0011", 1));
                }
                Rebalance(d);
                break;
            }
            default:
                break;
        }
    }

    // Returns true when the fault is in the UNT count (applied by the caller).
    bool ApplySyntaxFault(std::vector<std::string>& segs, Fault f) {
        // Never the UNH (index 0): the message must stay recognisable.
        const std::size_t n = segs.size();
        if (n < 3) return false;
        const auto at = static_cast<std::size_t>(rng_.Between(1, static_cast<std::int64_t>(n) - 1));
        switch (f) {
            case Fault::DropSegment:
                segs.erase(segs.begin() + static_cast<std::ptrdiff_t>(at));
                return false;
            case Fault::DupSegment: {
                std::string copy = segs[at];
                segs.insert(segs.begin() + static_cast<std::ptrdiff_t>(at), std::move(copy));
                return false;
            }
            case Fault::UnknownTag: {
                static const std::vector<std::string> kTags = {"XYZ", "QQQ", "ABC", "LIN", "INV"};
                segs[at].replace(0, std::min<std::size_t>(3, segs[at].size()), rng_.Pick(kTags));
                return false;
            }
            case Fault::UntCount:
                return true;
            case Fault::UnzCount:
                unzFault_ = true;
                return false;
            default:
                return false;
        }
    }

    // --- writing --------------------------------------------------------------

    std::string MoaText(const Group& g) const {
        if (!g.moaOverride.empty()) return "MOA+" + g.moaOverride;
        if (g.amount > 0) return "MOA+203:" + std::to_string(g.amount);
        if (g.amount == 0) return "MOA+203:0:::62";
        return "MOA+203:" + std::to_string(-g.amount) + ":::65";
    }

    // The message without its UNT (the caller adds it, counting).
    void Render(const Dossier& d, long long number, std::vector<std::string>& segs) const {
        segs.clear();
        const std::string yy = Yy(d.yearFull);
        const std::string nr = std::to_string(number);
        segs.push_back("UNH+" + nr + "+KTV:D:00B:UN:KTV001");
        segs.push_back("BGM+KTV::ZZ+DOC" + Digits(dossierIndex_ + 1, 7) +
                       (d.emptyDeclaration ? "+9" : ""));
        const std::string date = std::to_string(opt_.year) + (d.badDate ? "0230" : "1215");
        segs.push_back("DTM+137:" + date + ":102");
        segs.push_back("NAD+MS+SENDER01:ZZ:ZZ++CABINET DUPONT+12 RUE DES LILAS+PARIS++75001+FR");
        segs.push_back("NAD+MR+CSEKTV:ZZ:ZZ");
        if (d.rff1) segs.push_back("RFF+AHP:CONTRAT" + Digits(dossierIndex_ % 1000, 3));
        const std::size_t h = static_cast<std::size_t>(dossierIndex_);
        segs.push_back("NAD+EM+EMP" + Digits(static_cast<std::int64_t>(h % 100000), 5) +
                       ":ZZ:ZZ++" + kCompanies[h % kCompanies.size()] + "+" +
                       std::to_string(h % 90 + 1) + " " + kStreets[h % kStreets.size()] + "+" +
                       kCities[h % kCities.size()] + "++" +
                       Digits(static_cast<std::int64_t>(10000 + h % 85000), 5) + "+FR");
        const std::string& last = kLastNames[(h / 3) % kLastNames.size()];
        const std::string& first = kFirstNames[(h / 7) % kFirstNames.size()];
        std::string street =
            std::to_string(h % 120 + 1) + " " + kStreets[(h / 5) % kStreets.size()];
        if (h % 17 == 3) street += ":BATIMENT B:ESCALIER 2";
        segs.push_back("NAD+DT+" + d.nir + ":ZZ:ZZ++" + last.substr(0, 5) + ":" + last + " " +
                       first + "+" + street + "+" + kCities[(h / 11) % kCities.size()] + "++" +
                       Digits(static_cast<std::int64_t>(10000 + (h * 37) % 85000), 5) +
                       (h % 4 == 0 ? "" : "+FR"));
        if (d.rff2) segs.push_back("RFF+ABO:DOSSIER" + Digits(dossierIndex_ % 100000, 5));
        if (d.emptyDeclaration) {
            segs.push_back("SEQ++1");
            segs.push_back("IND++KTVECE  " + yy + "000000" + "0000ZZZ");
            return;
        }
        for (std::size_t i = 0; i < d.groups.size(); ++i) {
            const Group& g = d.groups[i];
            const int seq =
                static_cast<int>(i) + 1 + (d.wrongSeqGroup == static_cast<int>(i) ? 1 : 0);
            segs.push_back("SEQ++" + std::to_string(seq));
            const char* form = g.form == Form::Main    ? "KTVECE  "
                               : g.form == Form::Facce ? "FACCE   "
                                                       : "FACIS   ";
            const char* tag = SegmentOfCode(g.code);
            segs.push_back(std::string("IND++") + form + yy + Digits(g.annex, 4) + "00" + g.code +
                           tag);
            if (std::strcmp(tag, "MOA") == 0) {
                segs.push_back(MoaText(g));
            } else {
                // A CCI detail holds its CAV on a second line.
                const std::size_t cut = g.detail.find('\n');
                segs.push_back(g.detail.substr(0, cut));
                if (cut != std::string::npos) segs.push_back(g.detail.substr(cut + 1));
            }
        }
    }
};

int Usage(const char* message) {
    std::fprintf(stderr,
                 "gen_ktv: %s\n"
                 "usage: gen_ktv [-o FILE] [--dossiers N] [--interchanges K] [--year YYYY]\n"
                 "               [--seed S] [--size-mb M] [--no-crlf] [--lean]\n"
                 "               [--fault KIND[,KIND...]] [--fault-rate P]\n"
                 "fault kinds:",
                 message);
    for (const auto& n : kFaultNames)
        std::fprintf(stderr, " %s", n.name);
    std::fprintf(stderr, "\n");
    return 2;
}

}  // namespace

int GenKtvMain(int argc, const char* const* argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        const char* v = nullptr;
        if (a == "-h" || a == "--help") return Usage("help");
        if (a == "--no-crlf") {
            o.crlf = false;
            continue;
        }
        if (a == "--lean") {
            o.lean = true;
            continue;
        }
        if (a == "--crlf") {
            o.crlf = true;
            continue;
        }
        v = next();
        if (!v) return Usage("missing value");
        char* end = nullptr;
        if (a == "-o" || a == "--output") {
            o.output = v;
        } else if (a == "--dossiers") {
            o.dossiers = std::strtoll(v, &end, 10);
        } else if (a == "--interchanges") {
            o.interchanges = static_cast<int>(std::strtol(v, &end, 10));
        } else if (a == "--year") {
            o.year = static_cast<int>(std::strtol(v, &end, 10));
        } else if (a == "--seed") {
            o.seed = std::strtoull(v, &end, 10);
        } else if (a == "--size-mb") {
            o.sizeMb = std::strtod(v, &end);
        } else if (a == "--fault-rate") {
            o.faultRate = std::strtod(v, &end);
        } else if (a == "--fault") {
            std::string_view list = v;
            while (!list.empty()) {
                const std::size_t comma = list.find(',');
                const std::string_view name = list.substr(0, comma);
                bool known = false;
                for (const auto& n : kFaultNames) {
                    if (name == n.name) {
                        o.faults.push_back(n.kind);
                        known = true;
                    }
                }
                if (!known) return Usage("unknown fault kind");
                list =
                    comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
            }
        } else {
            return Usage("unknown option");
        }
        if (end && *end) return Usage("bad number");
    }
    if (o.interchanges < 1 || o.dossiers < 0 || o.year < 2000 || o.year > 2099)
        return Usage("bad value");
    if (o.sizeMb <= 0 && o.dossiers < 1) return Usage("no dossier to write");
    std::FILE* out =
        o.output.empty() || o.output == "-" ? stdout : std::fopen(o.output.c_str(), "wb");
    if (!out) {
        std::perror(o.output.c_str());
        return 1;
    }
    Generator(o).Run(out);
    const bool ok = std::ferror(out) == 0;
    if (out != stdout) std::fclose(out);
    return ok ? 0 : 1;
}
