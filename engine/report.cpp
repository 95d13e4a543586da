#include "report.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace engine {

ReportWriter::ReportWriter(ReportWriter &&other) noexcept
    : m_out(std::exchange(other.m_out, nullptr)), m_batch(other.m_batch), m_data(std::move(other.m_data)),
      m_size(std::exchange(other.m_size, 0)), m_capacity(std::exchange(other.m_capacity, 0)),
      m_lineStart(std::exchange(other.m_lineStart, 0))
{
}

void ReportWriter::grow(std::size_t needed)
{
    // A batched writer holds its batch and one more line; others a few lines.
    const std::size_t capacity = std::max({needed, 2 * m_capacity, m_batch + 1024, std::size_t(256)});
    std::unique_ptr<char[]> data(new char[capacity]);
    if (m_size > 0)
        std::memcpy(data.get(), m_data.get(), m_size);
    m_data = std::move(data);
    m_capacity = capacity;
}

ReportWriter &ReportWriter::FWide(double value, int width, int decimals)
{
    if (m_out) {
        const std::size_t room = static_cast<std::size_t>(std::max(width, 0) + kWideMax);
        char *start = this->room(room);
        const char *end = putFWide(start, value, width, decimals);
        m_size -= room - static_cast<std::size_t>(end - start);
    }
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
        text(std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }
    return *this;
}

void ReportWriter::flush()
{
    if (!m_out || m_lineStart == 0)
        return;
    m_out->write(m_data.get(), static_cast<std::streamsize>(m_lineStart));
    std::memmove(m_data.get(), m_data.get() + m_lineStart, m_size - m_lineStart);
    m_size -= m_lineStart;
    m_lineStart = 0;
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
