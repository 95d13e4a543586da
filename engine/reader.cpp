#include "reader.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <span>

#include "fortran_format.h"

namespace engine {
namespace {

struct ReadError {
    ReadFailure failure;
};

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\f' || c == '\v'; }

// Fortran list-directed input, reduced to what project files use.
class ListReader {
public:
    explicit ListReader(std::istream &in) : m_in(in) {}

    // The whole next line, or false at end of file.
    bool rawLine(std::string &text)
    {
        if (!fetchLine())
            return false;
        text = m_line;
        m_pos = m_line.size();
        return true;
    }

    // A group begins on the line after the one the previous group ended on.
    void beginGroup() { m_groupStarted = false; }

    Real real(const std::string &what)
    {
        const std::string word = nextWord(what);
        double value = 0;
        if (!parseReal(word, value))
            fail(what, "A REAL NUMBER WAS EXPECTED BUT NOT FOUND.");
        if (std::fabs(value) > FLT_MAX)
            fail(what, "THE NUMBER IS TOO LARGE IN MAGNITUDE.");
        return static_cast<Real>(value);
    }

    int integer(const std::string &what)
    {
        const std::string word = nextWord(what);
        long long value = 0;
        if (!parseInteger(word, value))
            fail(what, "AN INTEGER WAS EXPECTED BUT NOT FOUND.");
        return static_cast<int>(value);
    }

    [[noreturn]] void fail(const std::string &what, const std::string &problem) const
    {
        throw ReadError{{m_lineNo, m_item, what, problem}};
    }

private:
    bool fetchLine()
    {
        if (!std::getline(m_in, m_line))
            return false;
        if (!m_line.empty() && m_line.back() == '\r')
            m_line.pop_back();
        ++m_lineNo;
        m_pos = 0;
        m_item = 0;
        return true;
    }

    std::string nextWord(const std::string &what)
    {
        if (!m_groupStarted) {
            m_groupStarted = true;
            if (!fetchLine())
                endOfFile(what);
        }
        for (;;) {
            while (m_pos < m_line.size() && isSeparator(m_line[m_pos]))
                ++m_pos;
            if (m_pos < m_line.size())
                break;
            if (!fetchLine())
                endOfFile(what);
        }
        const std::size_t start = m_pos;
        while (m_pos < m_line.size() && !isSeparator(m_line[m_pos]))
            ++m_pos;
        ++m_item;
        return m_line.substr(start, m_pos - start);
    }

    [[noreturn]] void endOfFile(const std::string &what)
    {
        throw ReadError{{m_lineNo + 1, 1, what, "THE FILE ENDS BEFORE THIS VALUE."}};
    }

    static bool parseInteger(const std::string &word, long long &value)
    {
        std::size_t i = 0;
        if (i < word.size() && (word[i] == '+' || word[i] == '-'))
            ++i;
        if (i == word.size() || word.size() > 20)
            return false;
        for (std::size_t k = i; k < word.size(); ++k)
            if (word[k] < '0' || word[k] > '9')
                return false;
        errno = 0;
        value = std::strtoll(word.c_str(), nullptr, 10);
        return errno == 0 && value >= INT_MIN && value <= INT_MAX;
    }

    // Digits with an optional point and an optional exponent (E or D); no NaN, no infinity.
    static bool parseReal(const std::string &word, double &value)
    {
        std::string s = word;
        std::size_t i = 0;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        int digits = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            ++i;
            ++digits;
        }
        if (i < s.size() && s[i] == '.') {
            ++i;
            while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
                ++i;
                ++digits;
            }
        }
        if (digits == 0)
            return false;
        if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
            s[i] = 'E';
            ++i;
            if (i < s.size() && (s[i] == '+' || s[i] == '-'))
                ++i;
            const std::size_t expStart = i;
            while (i < s.size() && s[i] >= '0' && s[i] <= '9')
                ++i;
            if (i == expStart)
                return false;
        }
        if (i != s.size())
            return false;
        errno = 0;
        value = std::strtod(s.c_str(), nullptr);
        return std::isfinite(value);
    }

    std::istream &m_in;
    std::string m_line;
    std::size_t m_pos = 0;
    int m_lineNo = 0;
    int m_item = 0;
    bool m_groupStarted = true;
};

std::string atEnd(const char *name, End end, int layer)
{
    return std::string(name) + (end == TOP ? " AT THE TOP OF LAYER " : " AT THE BOTTOM OF LAYER ") +
           std::to_string(layer);
}

// One value of a layer's top or bottom line: a real or an integer field of LayerInput.
struct LayerField {
    const char *name;
    Real (LayerInput::*real)[2];
    int (LayerInput::*integer)[2];
};
// The top and bottom lines of each material type, in file order; the two LRFD factors follow.
constexpr LayerField kSoilLine[] = {{"NC", &LayerInput::NC, nullptr},         {"GAMMA", &LayerInput::GAMMA, nullptr},
                                    {"PHI", &LayerInput::PHI, nullptr},       {"CU", &LayerInput::CU, nullptr},
                                    {"BLOWS", &LayerInput::BLOWS, nullptr},   {"TRANLM", &LayerInput::TRANLM, nullptr},
                                    {"QBLIM", &LayerInput::QBLIM, nullptr}};
constexpr LayerField kStrongRockLine[] = {
    {"QUR", &LayerInput::QUR, nullptr},       {"QUCON", &LayerInput::QUCON, nullptr}, {"CS", &LayerInput::CS, nullptr},
    {"DISCT", &LayerInput::DISCT, nullptr},   {"BDS", &LayerInput::BDS, nullptr},     {"TRANLM", &LayerInput::TRANLM, nullptr},
    {"EL", &LayerInput::EL, nullptr},         {"RQD", &LayerInput::RQD, nullptr},     {"QBLIM", &LayerInput::QBLIM, nullptr}};
constexpr LayerField kDecomposedLine[] = {
    {"GAMMA", &LayerInput::GAMMA, nullptr},   {"BLOWS", &LayerInput::BLOWS, nullptr}, {"POISSON", &LayerInput::POISSON, nullptr},
    {"EMOD", &LayerInput::EL, nullptr},       {"BDS", &LayerInput::BDS, nullptr},     {"TRANLM", &LayerInput::TRANLM, nullptr},
    {"QBLIM", &LayerInput::QBLIM, nullptr}};
constexpr LayerField kWeakRockLine[] = {
    {"QUR", &LayerInput::QUR, nullptr},       {"ICOND", nullptr, &LayerInput::ICOND}, {"SLUMP", &LayerInput::SLUMP, nullptr},
    {"DELTA", &LayerInput::DELTA, nullptr},   {"BDS", &LayerInput::BDS, nullptr},     {"TRANLM", &LayerInput::TRANLM, nullptr},
    {"EL", &LayerInput::EL, nullptr},         {"RQD", &LayerInput::RQD, nullptr},     {"QBLIM", &LayerInput::QBLIM, nullptr}};
constexpr LayerField kGravelLine[] = {{"GAMMA", &LayerInput::GAMMA, nullptr}, {"BLOWS", &LayerInput::BLOWS, nullptr},
                                      {"COEF", &LayerInput::COEF, nullptr},   {"TRANLM", &LayerInput::TRANLM, nullptr},
                                      {"QBLIM", &LayerInput::QBLIM, nullptr}};

std::span<const LayerField> lineFields(int type)
{
    switch (type) {
    case 1: case 2: case 3: return kSoilLine;
    case 4: case 7: return kStrongRockLine;
    case 5: return kDecomposedLine;
    case 6: return kWeakRockLine;
    default: return kGravelLine; // 8, 9
    }
}

void readLayerLine(ListReader &r, LayerInput &L, End e, int n)
{
    r.beginGroup();
    for (const LayerField &f : lineFields(L.TYPE)) {
        if (f.real)
            (L.*f.real)[e] = r.real(atEnd(f.name, e, n));
        else
            (L.*f.integer)[e] = r.integer(atEnd(f.name, e, n));
    }
    // Held once per layer: the bottom line's values replace the top line's.
    L.RFSIDE = r.real(atEnd("RFSIDE", e, n));
    L.RFTIP = r.real(atEnd("RFTIP", e, n));
}

std::string sanitizedTitle(std::string title)
{
    for (char &c : title)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = ' ';
    return fmtA(title, 72);
}

void checkChoice(ListReader &r, int value, const char *what, const char *problem)
{
    if (value != 1 && value != 2)
        r.fail(what, problem);
}

} // namespace

ReadResult readProject(std::istream &in)
{
    ReadResult result;
    ProjectInput &p = result.project;
    ListReader r(in);
    try {
        std::string title;
        if (!r.rawLine(title))
            throw ReadError{{1, 1, "TITLE", "THE FILE IS EMPTY."}};
        p.TITLE = sanitizedTitle(title);
        result.stage = ReadStage::Title;

        r.beginGroup();
        p.IUNIT = r.integer("IUNIT");

        r.beginGroup();
        p.IDESIGN = r.integer("IDESIGN");
        checkChoice(r, p.IDESIGN, "IDESIGN", "IDESIGN MUST BE 1 (DESIGN LOAD) OR 2 (PROPOSED DEPTH).");
        p.ILOAD = r.integer("ILOAD");
        checkChoice(r, p.ILOAD, "ILOAD", "ILOAD MUST BE 1 (COMPRESSION) OR 2 (UPLIFT).");
        p.UPRED = r.real("UPRED");
        p.OUTINC = r.real("OUTINC");
        p.ISANDTIP = r.integer("ISANDTIP");
        p.IMETHOD = r.integer("IMETHOD");
        checkChoice(r, p.IMETHOD, "IMETHOD", "IMETHOD MUST BE 1 (LRFD) OR 2 (ALLOWABLE STRESS).");

        // Values the analysis cannot use at all stop it here, naming the value, rather than
        // filling the report with asterisks.
        auto atLeast = [&](const char *name, Real value, bool strictlyPositive) {
            if (strictlyPositive ? !(value > 0) : value < 0)
                r.fail(name, std::string(name) +
                                 (strictlyPositive ? " MUST BE GREATER THAN 0." : " MUST NOT BE NEGATIVE."));
            return value;
        };
        r.beginGroup();
        p.DSTART = atLeast("DSTART", r.real("DSTART"), true);
        p.DIALIM = r.real("DIALIM");
        p.RATIO = r.real("RATIO");
        p.BELANG = r.real("BELANG");
        p.TOPLENG = atLeast("TOPLENG", r.real("TOPLENG"), false);
        p.BS = atLeast("BS", r.real("BS"), false);
        p.Ec = atLeast("Ec", r.real("Ec"), true);

        r.beginGroup();
        p.NLAYER = r.integer("NLAYER");
        if (p.NLAYER < 1 || p.NLAYER > kMaxLayers)
            r.fail("NLAYER", "THE NUMBER OF LAYERS MUST BE 1 TO " + std::to_string(kMaxLayers) + ".");
        p.WTD = atLeast("WTD", r.real("WTD"), false);
        if (p.IDESIGN == 2)
            p.DGH = r.real("DGH");
        else
            p.P = r.real("P");
        // Factors of safety divide the capacities of allowable-stress design only.
        const bool asd = p.IMETHOD == 2;
        p.FST = asd ? atLeast("FST", r.real("FST"), true) : r.real("FST");
        p.FSB = asd ? atLeast("FSB", r.real("FSB"), true) : r.real("FSB");
        result.stage = ReadStage::Header;

        p.layers.reserve(p.NLAYER);
        for (int n = 1; n <= p.NLAYER; ++n) {
            LayerInput L;
            const std::string layer = " OF LAYER " + std::to_string(n);
            r.beginGroup();
            L.SOIL = r.real("SOIL" + layer);
            if (!(L.SOIL >= 1 && L.SOIL < 10))
                r.fail("SOIL" + layer, "THE MATERIAL TYPE MUST BE 1 TO 9.");
            L.TYPE = static_cast<int>(L.SOIL);
            L.DEPTH = r.real("DEPTH" + layer);
            const Real above = p.layers.empty() ? Real(0) : p.layers.back().DEPTH;
            if (!(L.DEPTH > above))
                r.fail("DEPTH" + layer, "THE BOTTOM OF A LAYER MUST LIE BELOW ITS TOP.");
            readLayerLine(r, L, TOP, n);
            readLayerLine(r, L, BOTTOM, n);
            if (L.SOIL == 1) {
                r.beginGroup();
                L.ISAND = r.real("ISAND" + layer);
            }
            if (L.SOIL <= 3) {
                r.beginGroup();
                L.COEF[TOP] = r.real(atEnd("COEF", TOP, n));
                L.COEF[BOTTOM] = r.real(atEnd("COEF", BOTTOM, n));
            }
            for (int e = TOP; e <= BOTTOM; ++e) {
                if (std::fabs(L.TRANLM[e]) < 1e-10f)
                    L.TRANLM[e] = NOLIMIT;
                if (std::fabs(L.QBLIM[e]) < 1e-10f)
                    L.QBLIM[e] = NOLIMIT;
            }
            p.layers.push_back(L);
        }
        result.stage = ReadStage::Complete;
    } catch (const ReadError &error) {
        result.failure = error.failure;
    }
    return result;
}

std::vector<std::string> failureLines(const ReadFailure &f)
{
    return {"ERROR IN THE INPUT FILE ON LINE " + std::to_string(f.line) + ", ITEM " + std::to_string(f.item) +
                " (" + f.what + "):",
            f.problem, "THE ANALYSIS WAS STOPPED."};
}

void writeInputEcho(const ReadResult &read, ReportWriter &report, ReportWriter &runtime, ReportWriter &console)
{
    const ProjectInput &p = read.project;
    if (read.stage != ReadStage::Nothing) {
        report.blanks(5).text(p.TITLE).end();
        console.blanks(5).text(p.TITLE).end();
    }
    if (read.stage == ReadStage::Header || read.stage == ReadStage::Complete) {
        const bool si = p.si();
        auto both = [&](auto &&write) {
            write(console);
            write(report);
        };
        both([&](ReportWriter &w) {
            w.blank(2);
            if (p.IDESIGN == 1) {
                w.blanks(5).text("TOTAL LOAD =").F(p.P, 10, 1).text(si ? " KN" : " TONS").end();
                w.underline("TOTAL LOAD =");
            } else {
                w.blanks(5).text("PROPOSED DEPTH =").F(p.DGH, 10, 1).text(si ? " M" : " FT").end();
                w.underline("PROPOSED DEPTH =");
            }
            w.blank(2);
        });
        if (p.ILOAD == 2) {
            report.blanks(5).text("REDUCTION FACTOR APPLIED FOR UPLIFT FRICTION =").F(p.UPRED, 6, 3).end();
            report.underline("REDUCTION FACTOR APPLIED FOR UPLIFT FRICTION =");
            report.blank(2);
        }
        both([&](ReportWriter &w) {
            w.blanks(5).text("NUMBER OF LAYERS =").I(p.NLAYER, 5).end();
            w.underline("NUMBER OF LAYERS =");
            w.blank(2);
            w.blanks(5).text("WATER TABLE DEPTH =").F(p.WTD, 10, 1).text(si ? " M" : " FT.").end();
            w.underline("WATER TABLE DEPTH =");
            w.blank(2);
        });
    }
    if (read.failure) {
        const auto lines = failureLines(*read.failure);
        runtime.error(lines);
        report.error(lines);
        console.error(lines);
        return;
    }
    if (read.stage == ReadStage::Complete && p.DGH > p.layers.back().DEPTH) {
        const std::vector<std::string> lines = {"PLEASE PROVIDE THE SOIL DEPTH THAT IS TWO-DIAMETER DEEPER",
                                                "THAN THE TIP OF DRILLED SHAFTS"};
        runtime.warning(lines);
        report.warning(lines);
    }
}

} // namespace engine
