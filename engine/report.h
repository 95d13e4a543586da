#pragma once

#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

inline constexpr const char *kWarningStars = "*********************WARNING**********************";
inline constexpr const char *kErrorStars = "*********************ERROR**********************";

/// Line-oriented writer of the engine's fixed-format text channels. A line is either given
/// whole (line) or built from pieces that end() sends out; the pieces format numbers with
/// the edit descriptors of fortran_format.h straight into the line, and each line reaches
/// the stream in one write.
class ReportWriter {
public:
    /// A writer on no stream drops everything, and formats nothing (the quiet console of
    /// the library).
    explicit ReportWriter(std::ostream *out = nullptr) : m_out(out) {}

    void line(std::string_view text = {});
    void blank(int count = 1);
    /// "     LABEL..." then "     " and as many '-' as the label has characters.
    /// The value, when given, follows the label on its line and is not underlined.
    void label(std::string_view labelText, std::string_view value = {});
    /// "     " and as many '-' as the label has characters: the line under a label.
    void underline(std::string_view labelText);
    /// Two empty lines, the star line, each text line, two empty lines; 5 blanks before each.
    void framed(const char *stars, const std::vector<std::string> &lines);
    void warning(const std::vector<std::string> &lines) { framed(kWarningStars, lines); }
    void error(const std::vector<std::string> &lines) { framed(kErrorStars, lines); }

    // Pieces of the current line.
    ReportWriter &text(std::string_view s);
    ReportWriter &blanks(int count) { return fill(' ', count); }
    /// count copies of c (none for a count of 0 or less).
    ReportWriter &fill(char c, int count);
    ReportWriter &F(double value, int width, int decimals);
    ReportWriter &FWide(double value, int width, int decimals);
    ReportWriter &E(double value, int width, int decimals);
    ReportWriter &I(long long value, int width);
    ReportWriter &A(std::string_view s, int width);
    /// Integers as a free-format (list-directed) write gives them: each after one blank.
    ReportWriter &integers(std::initializer_list<long long> values);
    /// Ends the current line and writes it.
    void end();

    bool active() const { return m_out != nullptr; }

private:
    char *room(int count);

    std::ostream *m_out;
    std::string m_line; // the line being built; keeps its capacity from line to line
};

} // namespace engine
