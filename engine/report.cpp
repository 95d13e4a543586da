#include "report.h"

namespace engine {

void ReportWriter::line(const std::string &text)
{
    if (m_out)
        *m_out << text << '\n';
}

void ReportWriter::blank(int count)
{
    for (int i = 0; i < count; ++i)
        line();
}

void ReportWriter::label(const std::string &labelText, const std::string &value)
{
    line("     " + labelText + value);
    line("     " + std::string(labelText.size(), '-'));
}

void ReportWriter::framed(const char *stars, const std::vector<std::string> &lines)
{
    blank(2);
    line(std::string("     ") + stars);
    for (const auto &text : lines)
        line("     " + text);
    blank(2);
}

} // namespace engine
