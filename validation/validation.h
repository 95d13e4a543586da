#pragma once

// The validation suite's one reader of its tables and of the engine's output. The test and
// tarnel-validate both judge through here, so they cannot disagree about a value.
// Standard library only.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace validation {

/// One published value of examples.tsv's examples.
struct TValueRow {
    std::string example, key, quantity;
    std::string publishedText; // as written in the table, for display
    double published = 0;
    std::string unit;
    double tolerance = -1; // a fraction; negative: not compared
    std::string reading, note;
    bool compared() const { return tolerance >= 0; }
};

struct TExample {
    std::string name, title, source, unit;
};

/// A capacity table by column name (LENGTH, QS, QB, QU, LRFD_QS, QDN, ...), rows by length.
struct TCapacityTable {
    std::vector<std::string> columns;
    std::vector<std::vector<double>> rows;
    bool empty() const { return rows.empty(); }
};

/// What one run of an example wrote.
struct TRunOutput {
    int result = -1;
    std::string report, plot;
};

/// One row judged: the program's value, or why it could not be read.
struct TVerdict {
    const TValueRow *row = nullptr;
    double tarnel = 0, ratio = 0;
    bool readable = false, within = false;
    bool fromPlot = false; // some length was read from the plot file
    std::string error;
};

class EValidation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace detail {

inline std::vector<std::string> splitTabs(const std::string &line)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        out.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return out;
        start = tab + 1;
    }
}

inline std::vector<std::vector<std::string>> readTsv(const std::string &path, std::size_t columns)
{
    std::ifstream in(path);
    if (!in)
        throw EValidation("cannot read " + path);
    std::vector<std::vector<std::string>> rows;
    bool header = true;
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        if (header) { // the column names
            header = false;
            continue;
        }
        auto cells = splitTabs(line);
        if (cells.size() != columns)
            throw EValidation(path + ", line " + std::to_string(lineNo) + ": " + std::to_string(cells.size()) +
                              " columns, expected " + std::to_string(columns));
        rows.push_back(std::move(cells));
    }
    return rows;
}

// Numbers in the tables and the engine's files always use '.', whatever the locale.
inline bool parseNumber(const std::string &text, double &value)
{
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    in >> value;
    return in && (in >> std::ws).eof();
}

inline std::vector<std::string> lines(const std::string &text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        out.push_back(line);
    }
    return out;
}

inline std::vector<std::string> words(const std::string &line)
{
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

// All words numbers, or an empty vector.
inline std::vector<double> numbers(const std::string &line)
{
    std::vector<double> out;
    for (const auto &w : words(line)) {
        double v;
        if (!parseNumber(w, v))
            return {};
        out.push_back(v);
    }
    return out;
}

// Column names from the first head line: "LRFD QS" becomes LRFD_QS, "QU/VOLUME" QU_VOLUME.
inline std::vector<std::string> headColumns(const std::string &head)
{
    std::vector<std::string> out;
    const auto w = words(head);
    for (std::size_t i = 0; i < w.size(); ++i) {
        if (w[i] == "LRFD" && i + 1 < w.size()) {
            out.push_back("LRFD_" + w[++i]);
            continue;
        }
        out.push_back(w[i] == "QU/VOLUME" ? "QU_VOLUME" : w[i]);
    }
    return out;
}

inline bool startsWith(const std::string &s, const std::string &prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

// Linear in length between the rows that bracket it; false outside the table.
inline bool interpolate(const TCapacityTable &table, const std::string &column, double length, double &value)
{
    const auto at = std::find(table.columns.begin(), table.columns.end(), column);
    if (at == table.columns.end() || table.rows.empty())
        return false;
    const std::size_t c = std::size_t(at - table.columns.begin());
    const double eps = 1e-9 * std::max(1.0, std::fabs(length));
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const auto &row = table.rows[i];
        if (std::fabs(row[0] - length) <= eps) {
            value = row[c];
            return true;
        }
        if (i > 0 && table.rows[i - 1][0] < length && length < row[0]) {
            const auto &prev = table.rows[i - 1];
            const double t = (length - prev[0]) / (row[0] - prev[0]);
            value = prev[c] + t * (row[c] - prev[c]);
            return true;
        }
    }
    return false;
}

} // namespace detail

/// examples.tsv: example, title, source, unit.
inline std::vector<TExample> readExamples(const std::string &path)
{
    std::vector<TExample> out;
    for (auto &c : detail::readTsv(path, 4))
        out.push_back({c[0], c[1], c[2], c[3]});
    return out;
}

/// values.tsv: example, key, quantity, published, unit, tolerance in percent ("-": not
/// compared), reading, note. Throws on a malformed row, naming the line's key.
inline std::vector<TValueRow> readValues(const std::string &path)
{
    std::vector<TValueRow> out;
    for (auto &c : detail::readTsv(path, 8)) {
        TValueRow r;
        r.example = c[0];
        r.key = c[1];
        r.quantity = c[2];
        r.publishedText = c[3];
        if (!detail::parseNumber(c[3], r.published) || r.published == 0)
            throw EValidation(path + ", " + r.example + "/" + r.key + ": published value '" + c[3] + "' is not a nonzero number");
        r.unit = c[4];
        if (c[5] != "-") {
            if (!detail::parseNumber(c[5], r.tolerance) || r.tolerance < 0)
                throw EValidation(path + ", " + r.example + "/" + r.key + ": tolerance '" + c[5] + "' is not a percentage");
            r.tolerance /= 100;
        }
        r.reading = c[6];
        r.note = c[7];
        out.push_back(std::move(r));
    }
    return out;
}

/// The first capacity table of the report: the rows of eight numbers after the first column
/// heads, up to the settlement block or the next diameter. Empty when there are no heads.
inline TCapacityTable reportTable(const std::string &report)
{
    TCapacityTable table;
    const auto all = detail::lines(report);
    std::size_t i = 0;
    while (i < all.size() && !detail::startsWith(all[i], "     LENGTH  VOLUME"))
        ++i;
    if (i == all.size())
        return table;
    table.columns = detail::headColumns(all[i]);
    for (i += 2; i < all.size(); ++i) {
        const std::string &line = all[i];
        if (line.find("RESULT FROM") != std::string::npos || line.find("DRILLED SHAFT INFORMATION") != std::string::npos ||
            line.find("NEED ANOTHER SOIL LAYER") != std::string::npos || detail::startsWith(line, "     LENGTH  VOLUME"))
            break;
        // Warning blocks may stand between the heads and the rows; they are not all numbers.
        const auto v = detail::numbers(line);
        if (v.size() == table.columns.size())
            table.rows.push_back(v);
    }
    return table;
}

/// The capacity rows of the plot file's first diameter block, without its two leading rows.
/// Columns: LENGTH, QS, QB, QU and then LRFD_QS, LRFD_QB, LRFD_QU (lrfd) or QS_FS, QB_FS, QDN.
inline TCapacityTable plotTable(const std::string &plot, bool lrfd)
{
    TCapacityTable table;
    std::istringstream in(plot);
    in.imbue(std::locale::classic());
    double ndia = 0, npts = 0, nset = 0;
    if (!(in >> ndia >> npts >> nset) || npts < 2)
        return table;
    table.columns = lrfd ? std::vector<std::string>{"LENGTH", "QS", "QB", "QU", "LRFD_QS", "LRFD_QB", "LRFD_QU"}
                         : std::vector<std::string>{"LENGTH", "QS", "QB", "QU", "QS_FS", "QB_FS", "QDN"};
    for (int r = 0; r < int(npts); ++r) {
        std::vector<double> row(7);
        for (double &v : row)
            if (!(in >> v))
                return TCapacityTable{table.columns, {}};
        if (r >= 2)
            table.rows.push_back(row);
    }
    return table;
}

/// Top load against top movement from the report's first "RESULT FROM TREND (AVERAGED) LINE".
inline TCapacityTable trendCurve(const std::string &report)
{
    TCapacityTable curve;
    curve.columns = {"MOVEMENT", "LOAD"};
    const auto all = detail::lines(report);
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].find("RESULT FROM TREND (AVERAGED) LINE") == std::string::npos)
            continue;
        for (std::size_t k = i + 1; k < all.size(); ++k) {
            const auto v = detail::numbers(all[k]);
            if (v.size() == 4)
                curve.rows.push_back({v[1], v[0]});
            else if (!curve.rows.empty())
                break;
        }
        break;
    }
    return curve;
}

/// Evaluates one reading against a run's output. Grammar:
///   reading := term { ("+" | "-") term }     term := factor { "*" factor }
///   factor  := number | COLUMN "@" length | "TOPLOAD@" movement | "[" key "]" | "(" reading ")"
/// COLUMN@L is the capacity-table column at length L in report units, linear between the
/// bracketing rows of the report, or of the plot file where the report has none around L.
/// TOPLOAD@w is the trend line's top load at top movement w. [key] is another row's value.
class TReading {
public:
    TReading(const TRunOutput &run, const std::map<std::string, double> &others)
        : m_report(reportTable(run.report)), m_others(others)
    {
        const auto &c = m_report.columns;
        m_plot = plotTable(run.plot, std::find(c.begin(), c.end(), "LRFD_QU") != c.end());
        m_trend = trendCurve(run.report);
    }

    /// Throws EValidation saying what could not be read.
    double evaluate(const std::string &text)
    {
        m_text = text;
        m_pos = 0;
        const double v = sum();
        skipBlanks();
        if (m_pos != m_text.size())
            fail("unexpected '" + m_text.substr(m_pos) + "'");
        return v;
    }
    bool usedPlot() const { return m_usedPlot; }
    const TCapacityTable &report() const { return m_report; }
    const TCapacityTable &plot() const { return m_plot; }

private:
    [[noreturn]] void fail(const std::string &why) const { throw EValidation("reading '" + m_text + "': " + why); }
    void skipBlanks()
    {
        while (m_pos < m_text.size() && std::isspace((unsigned char)m_text[m_pos]))
            ++m_pos;
    }
    bool take(char c)
    {
        skipBlanks();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    double sum()
    {
        double v = product();
        for (;;) {
            if (take('+'))
                v += product();
            else if (take('-'))
                v -= product();
            else
                return v;
        }
    }
    double product()
    {
        double v = factor();
        while (take('*'))
            v *= factor();
        return v;
    }
    double number()
    {
        skipBlanks();
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && (std::isdigit((unsigned char)m_text[m_pos]) || m_text[m_pos] == '.'))
            ++m_pos;
        double v;
        if (!detail::parseNumber(m_text.substr(start, m_pos - start), v))
            fail("number expected at '" + m_text.substr(start) + "'");
        return v;
    }
    double factor()
    {
        if (take('(')) {
            const double v = sum();
            if (!take(')'))
                fail("')' expected");
            return v;
        }
        if (take('[')) {
            const std::size_t end = m_text.find(']', m_pos);
            if (end == std::string::npos)
                fail("']' expected");
            const std::string key = m_text.substr(m_pos, end - m_pos);
            m_pos = end + 1;
            const auto at = m_others.find(key);
            if (at == m_others.end())
                fail("no readable row '" + key + "' above this one");
            return at->second;
        }
        skipBlanks();
        if (m_pos < m_text.size() && std::isdigit((unsigned char)m_text[m_pos]))
            return number();
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && (std::isalnum((unsigned char)m_text[m_pos]) || m_text[m_pos] == '_'))
            ++m_pos;
        const std::string name = m_text.substr(start, m_pos - start);
        if (name.empty())
            fail("value expected at '" + m_text.substr(start) + "'");
        if (!take('@'))
            fail("'@' expected after " + name);
        const double at = number();
        double v;
        if (name == "TOPLOAD") {
            if (!detail::interpolate(m_trend, "LOAD", at, v))
                fail("the trend line does not reach a movement of " + fmt(at));
            return v;
        }
        if (detail::interpolate(m_report, name, at, v))
            return v;
        if (detail::interpolate(m_plot, name, at, v)) {
            m_usedPlot = true;
            return v;
        }
        fail("no capacity rows around a length of " + fmt(at) + " with a column " + name);
    }
    static std::string fmt(double v)
    {
        std::ostringstream s;
        s.imbue(std::locale::classic());
        s << v;
        return s.str();
    }

    TCapacityTable m_report, m_plot, m_trend;
    std::map<std::string, double> m_others;
    std::string m_text;
    std::size_t m_pos = 0;
    bool m_usedPlot = false;
};

/// Judges every row of one example, in the table's order (a sum may use the rows above it).
inline std::vector<TVerdict> judge(const std::vector<TValueRow> &rows, const std::string &example, const TRunOutput &run)
{
    std::vector<TVerdict> out;
    std::map<std::string, double> known;
    for (const auto &row : rows) {
        if (row.example != example)
            continue;
        TVerdict v;
        v.row = &row;
        try {
            TReading reading(run, known);
            v.tarnel = reading.evaluate(row.reading);
            v.fromPlot = reading.usedPlot();
            v.readable = std::isfinite(v.tarnel);
            if (!v.readable)
                v.error = "not a finite number";
        } catch (const EValidation &e) {
            v.error = e.what();
        }
        if (v.readable) {
            known[row.key] = v.tarnel;
            v.ratio = v.tarnel / row.published;
            // A hair of slack so that a value printed exactly at the edge is not lost to rounding.
            v.within = std::fabs(v.ratio - 1) <= row.tolerance + 1e-9;
        }
        out.push_back(v);
    }
    return out;
}

/// The report's last row against the plot file at the same length: the two files are written
/// from one table and must agree within 1 % in QS, QB and QU. Returns the worst relative
/// difference, or a negative value when the files cannot be compared.
inline double plotAgreement(const TRunOutput &run, std::string &detailText)
{
    TReading reading(run, {});
    const auto &report = reading.report();
    if (report.empty() || reading.plot().empty()) {
        detailText = "no capacity table in the report or the plot file";
        return -1;
    }
    const double length = report.rows.back()[0];
    double worst = 0;
    std::ostringstream s;
    s.imbue(std::locale::classic());
    s << "at length " << length << ", report / plot file:";
    for (const char *column : {"QS", "QB", "QU"}) {
        double inReport, inPlot;
        if (!detail::interpolate(report, column, length, inReport) ||
            !detail::interpolate(reading.plot(), column, length, inPlot)) {
            detailText = std::string("no ") + column + " at the report's last length in the plot file";
            return -1;
        }
        const double diff = inReport == 0 ? std::fabs(inPlot) : std::fabs(inPlot / inReport - 1);
        worst = std::max(worst, diff);
        s << (column[1] == 'S' ? " " : ", ") << column << ' ' << inReport << " / " << inPlot;
    }
    detailText = s.str();
    return worst;
}

} // namespace validation
