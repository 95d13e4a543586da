#pragma once

#include <cstring>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "fortran_format.h"

namespace engine {

inline constexpr const char *kWarningStars = "*********************WARNING**********************";
inline constexpr const char *kErrorStars = "*********************ERROR**********************";

/// Batch size for the run's files: they are written in pieces of about this many bytes.
inline constexpr std::size_t kFileBatch = 64 * 1024;

/// Line-oriented writer of the engine's fixed-format text channels. A line is either given
/// whole (line) or built from pieces that end() completes; the pieces format numbers with
/// the edit descriptors of fortran_format.h straight into the line. Whole lines reach the
/// stream, each at once or, with a batch size, gathered into writes of that many bytes.
class ReportWriter {
public:
    /// A writer on no stream drops everything, and formats nothing (the quiet console of
    /// the library). With batch 0 every line is written as it ends; otherwise lines wait
    /// until batch bytes are pending, or until flush() or the writer's end.
    explicit ReportWriter(std::ostream *out = nullptr, std::size_t batch = 0) : m_out(out), m_batch(batch) {}
    ReportWriter(ReportWriter &&other) noexcept;
    ReportWriter(const ReportWriter &) = delete;
    ReportWriter &operator=(const ReportWriter &) = delete;
    ~ReportWriter() { flush(); }

    /// Writes the lines that wait; a line still being built stays.
    void flush();

    void line(std::string_view text = {}) { this->text(text).end(); }
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
    ReportWriter &text(std::string_view s)
    {
        if (m_out && !s.empty())
            std::memcpy(room(s.size()), s.data(), s.size());
        return *this;
    }
    ReportWriter &blanks(int count) { return fill(' ', count); }
    /// count copies of c (none for a count of 0 or less).
    ReportWriter &fill(char c, int count)
    {
        if (m_out && count > 0)
            std::memset(room(static_cast<std::size_t>(count)), c, static_cast<std::size_t>(count));
        return *this;
    }
    ReportWriter &F(double value, int width, int decimals)
    {
        if (m_out && width > 0)
            putF(room(static_cast<std::size_t>(width)), value, width, decimals);
        return *this;
    }
    ReportWriter &FWide(double value, int width, int decimals);
    ReportWriter &E(double value, int width, int decimals)
    {
        if (m_out && width > 0)
            putE(room(static_cast<std::size_t>(width)), value, width, decimals);
        return *this;
    }
    ReportWriter &I(long long value, int width)
    {
        if (m_out && width > 0)
            putI(room(static_cast<std::size_t>(width)), value, width);
        return *this;
    }
    ReportWriter &A(std::string_view s, int width)
    {
        if (m_out && width > 0)
            putA(room(static_cast<std::size_t>(width)), s, width);
        return *this;
    }
    /// Integers as a free-format (list-directed) write gives them: each after one blank.
    ReportWriter &integers(std::initializer_list<long long> values);
    /// Ends the current line and writes it.
    void end()
    {
        if (!m_out)
            return;
        *room(1) = '\n';
        m_lineStart = m_size;
        if (m_lineStart > m_batch)
            flush();
    }

    bool active() const { return m_out != nullptr; }

private:
    // count more characters at the end of the text, to be filled by the caller.
    char *room(std::size_t count)
    {
        if (m_size + count > m_capacity)
            grow(m_size + count);
        char *at = m_data.get() + m_size;
        m_size += count;
        return at;
    }
    void grow(std::size_t needed);

    std::ostream *m_out;
    std::size_t m_batch;
    // Ended lines not yet written, then the line being built.
    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0, m_capacity = 0;
    std::size_t m_lineStart = 0; // where the line being built starts
};

} // namespace engine
