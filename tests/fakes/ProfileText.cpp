// Parsing and in-place editing of profile files, following Windows where Wine differs.
#include "tests/fakes/ProfileText.h"

#include <vector>

namespace ProfileText {
namespace {

constexpr std::string_view kNewLine = "\r\n";

// Blanks around names, "[" and "=" in the file.
bool IsNameBlank(char c) {
    return c == ' ' || c == '\t';
}

// Blanks trimmed from both ends of a value: space, TAB, VT, FF and the old end-of-file mark
// 0x1A. (Windows trims space, TAB and VT; Wine also FF and 0x1A, and nothing says Windows
// keeps them.)
bool IsValueBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

template <typename IsBlank>
std::string_view Trim(std::string_view text, IsBlank isBlank) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// GetPrivateProfileStringA trims only spaces from the section and key it is asked for; a TAB
// there is part of the name on Windows.
std::string_view TrimQuery(std::string_view name) {
    return Trim(name, [](char c) { return c == ' '; });
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names match without regard to case for the letters A to Z only, as the profile functions do
// in the ANSI code page.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

enum class TLineKind { Other, Header, Key };

struct TLine {
    std::size_t Begin = 0;  // first byte
    std::size_t End = 0;    // the line break, or the end of the file
    std::size_t Next = 0;   // first byte of the next line
    TLineKind Kind = TLineKind::Other;
    std::string_view Name;       // section or key, trimmed
    std::size_t ValueBegin = 0;  // after the first "=" of a key line
    bool Blank = false;          // nothing but spaces and TABs
};

// CR LF, a lone LF and a lone CR all end a line; the last line may have no line break.
std::vector<TLine> SplitLines(std::string_view file) {
    std::vector<TLine> lines;
    std::size_t pos = 0;
    while (pos < file.size()) {
        TLine line;
        line.Begin = pos;
        line.End = file.find_first_of("\r\n", pos);
        if (line.End == std::string_view::npos) {
            line.End = file.size();
            line.Next = file.size();
        } else if (file[line.End] == '\r' && line.End + 1 < file.size() &&
                   file[line.End + 1] == '\n') {
            line.Next = line.End + 2;
        } else {
            line.Next = line.End + 1;
        }
        const std::string_view text = file.substr(line.Begin, line.End - line.Begin);
        std::size_t first = 0;
        while (first < text.size() && IsNameBlank(text[first])) {
            ++first;
        }
        line.Blank = first == text.size();
        if (!line.Blank && text[first] == '[') {
            // Windows ends the name at the first "]" and ignores the rest of the line; a
            // header without "]" still opens a section.
            const std::string_view rest = text.substr(first + 1);
            line.Kind = TLineKind::Header;
            line.Name = Trim(rest.substr(0, rest.find(']')), IsNameBlank);
        } else if (!line.Blank && text[first] != ';') {
            // A ";" line is a comment for Windows even when it holds "=": never a key.
            const std::size_t equals = text.find('=');
            if (equals != std::string_view::npos) {
                line.Kind = TLineKind::Key;
                line.Name = Trim(text.substr(0, equals), IsNameBlank);
                line.ValueBegin = line.Begin + equals + 1;
            }
        }
        lines.push_back(line);
        pos = line.Next;
    }
    return lines;
}

// Lines [First, Last) of the first section of that name, header excluded. Only the first of
// duplicate sections is ever searched or changed; lines before the first header belong to no
// section.
struct TSection {
    std::size_t Header = 0;
    std::size_t First = 0;
    std::size_t Last = 0;
};

std::optional<TSection> FindSection(const std::vector<TLine>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].Kind == TLineKind::Header && SameName(lines[i].Name, section)) {
            std::size_t last = i + 1;
            while (last < lines.size() && lines[last].Kind != TLineKind::Header) {
                ++last;
            }
            return TSection{i, i + 1, last};
        }
    }
    return std::nullopt;
}

// The first line of the key in the section: with duplicates the first one counts.
std::optional<std::size_t> FindKey(const std::vector<TLine>& lines,
                                   const TSection& section,
                                   std::string_view key) {
    for (std::size_t i = section.First; i < section.Last; ++i) {
        if (lines[i].Kind == TLineKind::Key && SameName(lines[i].Name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

// One matching pair of quotes comes off a trimmed value; blanks inside them stay.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::string Replace(std::string_view file,
                    std::size_t begin,
                    std::size_t end,
                    std::string_view text) {
    std::string result;
    result.reserve(file.size() + text.size());
    result.append(file.substr(0, begin));
    result.append(text);
    result.append(file.substr(end));
    return result;
}

}  // namespace

std::optional<std::string> FindValue(std::string_view file,
                                     std::string_view section,
                                     std::string_view key) {
    const std::vector<TLine> lines = SplitLines(file);
    const std::optional<TSection> found = FindSection(lines, TrimQuery(section));
    if (!found) {
        return std::nullopt;
    }
    const std::optional<std::size_t> line = FindKey(lines, *found, TrimQuery(key));
    if (!line) {
        return std::nullopt;
    }
    const TLine& keyLine = lines[*line];
    return std::string(file.substr(keyLine.ValueBegin, keyLine.End - keyLine.ValueBegin));
}

std::string ReadValue(std::string_view file,
                      std::string_view section,
                      std::string_view key,
                      std::string_view defaultValue,
                      std::size_t bufferSize) {
    const std::optional<std::string> raw = FindValue(file, section, key);
    std::string_view text;
    if (raw) {
        // An empty or blank value is a value: "" comes back, not the default.
        text = Unquote(Trim(*raw, IsValueBlank));
    } else {
        // The default loses its trailing spaces only.
        text = defaultValue;
        while (!text.empty() && text.back() == ' ') {
            text.remove_suffix(1);
        }
    }
    const std::size_t room = bufferSize > 0 ? bufferSize - 1 : 0;
    return std::string(text.substr(0, room));
}

std::string WriteValue(std::string_view file,
                       std::string_view section,
                       std::string_view key,
                       std::string_view value) {
    const std::string_view sectionName = TrimQuery(section);
    const std::string_view keyName = TrimQuery(key);
    std::string entry;
    entry.append(keyName).append("=").append(value).append(kNewLine);

    const std::vector<TLine> lines = SplitLines(file);
    const std::optional<TSection> found = FindSection(lines, sectionName);
    if (!found) {
        std::string result(file);
        if (!result.empty() && result.back() != '\n' && result.back() != '\r') {
            result.append(kNewLine);
        }
        result.append("[").append(sectionName).append("]").append(kNewLine).append(entry);
        return result;
    }
    if (const std::optional<std::size_t> line = FindKey(lines, *found, keyName)) {
        // The entry keeps its spelling and everything up to "="; only the value changes.
        return Replace(file, lines[*line].ValueBegin, lines[*line].End, value);
    }
    // After the section's last line that is not blank, so that blank lines between sections
    // stay between them.
    std::size_t after = found->Header;
    for (std::size_t i = found->First; i < found->Last; ++i) {
        if (!lines[i].Blank) {
            after = i;
        }
    }
    const TLine& anchor = lines[after];
    if (anchor.Next == anchor.End) {
        entry.insert(0, kNewLine);  // the last line of the file had no line break
    }
    return Replace(file, anchor.Next, anchor.Next, entry);
}

std::string EraseSection(std::string_view file, std::string_view section) {
    const std::vector<TLine> lines = SplitLines(file);
    const std::optional<TSection> found = FindSection(lines, TrimQuery(section));
    if (!found) {
        return std::string(file);
    }
    const std::size_t end = found->Last < lines.size() ? lines[found->Last].Begin : file.size();
    return Replace(file, lines[found->Header].Begin, end, {});
}

}  // namespace ProfileText
