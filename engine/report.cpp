#include "report.h"

#include <charconv>

#include "fortran_format.h"

namespace engine {

char *ReportWriter::room(int count)
{
    const std::size_t at = m_text.size();
    m_text.resize(at + static_cast<std::size_t>(count > 0 ? count : 0));
    return m_text.data() + at;
}

ReportWriter &ReportWriter::text(std::string_view s)
{
    if (m_out)
        m_text.append(s);
    return *this;
}

ReportWriter &ReportWriter::fill(char c, int count)
{
    if (m_out && count > 0)
        m_text.append(static_cast<std::size_t>(count), c);
    return *this;
}

ReportWriter &ReportWriter::F(double value, int width, int decimals)
{
    if (m_out)
        putF(room(width), value, width, decimals);
    return *this;
}

ReportWriter &ReportWriter::FWide(double value, int width, int decimals)
{
    if (m_out) {
        const std::size_t at = m_text.size();
        const char *end = putFWide(room((width > 0 ? width : 0) + kWideMax), value, width, decimals);
        m_text.resize(at + static_cast<std::size_t>(end - (m_text.data() + at)));
    }
    return *this;
}

ReportWriter &ReportWriter::E(double value, int width, int decimals)
{
    if (m_out)
        putE(room(width), value, width, decimals);
    return *this;
}

ReportWriter &ReportWriter::I(long long value, int width)
{
    if (m_out)
        putI(room(width), value, width);
    return *this;
}

ReportWriter &ReportWriter::A(std::string_view s, int width)
{
    if (m_out)
        putA(room(width), s, width);
    return *this;
}

ReportWriter &ReportWriter::integers(std::initializer_list<long long> values)
{
    if (!m_out)
        return *this;
    for (const long long v : values) {
        char digits[24];
        digits[0] = ' ';
        const char *end = std::to_chars(digits + 1, digits + sizeof digits, v).ptr;
        m_text.append(digits, static_cast<std::size_t>(end - digits));
    }
    return *this;
}

ReportWriter::ReportWriter(ReportWriter &&other) noexcept
    : m_out(other.m_out), m_batch(other.m_batch), m_text(std::move(other.m_text)), m_lineStart(other.m_lineStart)
{
    other.m_out = nullptr;
    other.m_text.clear();
    other.m_lineStart = 0;
}

void ReportWriter::end()
{
    if (!m_out)
        return;
    m_text.push_back('\n');
    m_lineStart = m_text.size();
    if (m_lineStart > m_batch)
        flush();
}

void ReportWriter::flush()
{
    if (!m_out || m_lineStart == 0)
        return;
    m_out->write(m_text.data(), static_cast<std::streamsize>(m_lineStart));
    m_text.erase(0, m_lineStart);
    m_lineStart = 0;
}

void ReportWriter::line(std::string_view s)
{
    text(s).end();
}

void ReportWriter::blank(int count)
{
    for (int i = 0; i < count; ++i)
        end();
}

void ReportWriter::label(std::string_view labelText, std::string_view value)
{
    text("     ").text(labelText).text(value).end();
    underline(labelText);
}

void ReportWriter::underline(std::string_view labelText)
{
    blanks(5).fill('-', static_cast<int>(labelText.size())).end();
}

void ReportWriter::framed(const char *stars, const std::vector<std::string> &lines)
{
    blank(2);
    text("     ").text(stars).end();
    for (const auto &s : lines)
        text("     ").text(s).end();
    blank(2);
}

} // namespace engine
