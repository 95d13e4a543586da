#include "WordRead.h"

#include <cmath>
#include <fstream>
#include <iterator>

#include "numformat.h"

namespace {

constexpr const char *kIncomplete = "This file either invalid or incomplete.";

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::vector<std::string> wordsOf(std::string_view line)
{
    while (!line.empty() && isBlankOrControl(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && isBlankOrControl(line.back()))
        line.remove_suffix(1);
    std::vector<std::string> words;
    while (!line.empty()) {
        const size_t end = line.find_first_of(" \t");
        words.emplace_back(line.substr(0, end));
        line = end == std::string_view::npos ? std::string_view() : line.substr(end);
        while (!line.empty() && isBlankOrControl(line.front()))
            line.remove_prefix(1);
    }
    return words;
}

} // namespace

TWordReader::TWordReader(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EInOutError("Cannot open file \"" + path + "\".");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw EInOutError("Cannot read file \"" + path + "\".");
    split(text);
}

TWordReader TWordReader::fromText(std::string_view text)
{
    TWordReader reader;
    reader.split(text);
    return reader;
}

void TWordReader::split(std::string_view text)
{
    // Lines end in LF, CR LF or a lone CR, as text-file reading takes them.
    while (!text.empty()) {
        const size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        m_lines.push_back({std::string(line), wordsOf(line)});
        if (end == std::string_view::npos)
            break;
        const size_t next = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? end + 2 : end + 1;
        text.remove_prefix(next);
    }
    if (m_lines.empty())
        m_lines.push_back({});
}

std::string TWordReader::ReadWord()
{
    while (m_line < m_lines.size() && m_word >= m_lines[m_line].words.size()) {
        ++m_line;
        m_word = 0;
    }
    if (m_line >= m_lines.size())
        throw EInOutError(kIncomplete);
    return m_lines[m_line].words[m_word++];
}

void TWordReader::wrongKind(const std::string &expected) const
{
    throw EInOutError("Error on Line " + std::to_string(m_line + 1) + " Item " + std::to_string(m_word) + "\r" +
                      expected);
}

double TWordReader::ReadFloat()
{
    const auto value = parseReal(ReadWord());
    if (!value)
        wrongKind("A floating point number was expected but not found.");
    return *value;
}

int TWordReader::ReadInteger()
{
    const auto value = parseReal(ReadWord());
    if (!value || *value != std::trunc(*value) || *value < -2147483648.0 || *value > 2147483647.0)
        wrongKind("An integer was expected but not found.");
    return int(*value);
}

std::string TWordReader::ReadLine()
{
    if (m_line >= m_lines.size())
        throw EInOutError(kIncomplete);
    std::string text = m_lines[m_line].text;
    ++m_line;
    m_word = 0;
    return text;
}

void TWordReader::EndGroup()
{
    if (m_line < m_lines.size() && m_word > 0) {
        ++m_line;
        m_word = 0;
    }
    while (m_line < m_lines.size() && m_lines[m_line].words.empty())
        ++m_line;
}

int TWordReader::WordsOnLine() const
{
    return m_line < m_lines.size() ? int(m_lines[m_line].words.size()) : 0;
}
