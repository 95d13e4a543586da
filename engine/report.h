#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace engine {

inline constexpr const char *kWarningStars = "*********************WARNING**********************";
inline constexpr const char *kErrorStars = "*********************ERROR**********************";

/// Line-oriented writer of the engine's fixed-format text channels. Owns no numbers:
/// callers format values with the edit descriptors of fortran_format.h.
class ReportWriter {
public:
    /// A writer on no stream drops everything (the quiet console of the library).
    explicit ReportWriter(std::ostream *out = nullptr) : m_out(out) {}

    void line(const std::string &text = {});
    void blank(int count = 1);
    /// "     LABEL..." then "     " and as many '-' as the label has characters.
    /// The value, when given, follows the label on its line and is not underlined.
    void label(const std::string &labelText, const std::string &value = {});
    /// Two empty lines, the star line, each text line, two empty lines; 5 blanks before each.
    void framed(const char *stars, const std::vector<std::string> &lines);
    void warning(const std::vector<std::string> &lines) { framed(kWarningStars, lines); }
    void error(const std::vector<std::string> &lines) { framed(kErrorStars, lines); }

    bool active() const { return m_out != nullptr; }

private:
    std::ostream *m_out;
};

} // namespace engine
