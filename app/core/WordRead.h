#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

/// A file that cannot be read, or a word that is missing or of the wrong kind. The message
/// is the one the user sees.
class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// One line of a file: its raw text (without the line end) and its words.
struct TWordContainer {
    std::string text;
    std::vector<std::string> words;
};

/// Whole-file tokenizer for the plot data file and the project file. Words are separated by
/// runs of blanks and tabs; reading moves on to the next line when the current one is used
/// up. Line and item numbers in messages count from 1.
class TWordReader {
public:
    /// Reads and splits the whole file; a file that cannot be opened raises EInOutError.
    explicit TWordReader(const std::string &path);
    /// The same over text already in memory; an empty text holds one line without words.
    static TWordReader fromText(std::string_view text);

    /// The next word. Lines without words between the used-up line and the next word are
    /// passed over; after the last line: "This file either invalid or incomplete.".
    std::string ReadWord();
    /// The next word as a decimal real ("." always); 3 is a real too.
    double ReadFloat();
    /// The next word as a whole number in the 32-bit signed range; "3.0" and "1E2" count.
    int ReadInteger();
    /// The raw text of the current line; the next read starts on the line after it. After the
    /// last line: "This file either invalid or incomplete.".
    std::string ReadLine();
    /// Ends a group of values: the rest of the current line is passed over (when a word of
    /// it was read), and so are lines without words, so the next group starts on a new line.
    void EndGroup();
    bool AtEnd() const { return m_line >= m_lines.size(); }
    /// Words of the current line; 0 past the end.
    int WordsOnLine() const;

    /// Raises "Error on Line n Item m" + CR + expected, at the word read last.
    [[noreturn]] void wrongKind(const std::string &expected) const;

private:
    TWordReader() = default;
    void split(std::string_view text);

    std::vector<TWordContainer> m_lines;
    size_t m_line = 0; // current line
    size_t m_word = 0; // next word on it
};
