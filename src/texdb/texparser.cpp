#include "texdb/texparser.h"

#include <charconv>
#include <cstring>

namespace kipkip {
namespace {

bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == ',';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::vector<std::string_view> SplitLines(std::span<const std::uint8_t> bytes)
{
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    text = text.substr(0, text.find('\0'));
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\r' && c != '\n') {
            continue;
        }
        lines.push_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

// Tokens are runs of bytes between separators; a run of separators is one break.
class Tokenizer {
public:
    explicit Tokenizer(std::string_view line) : line_(line) {}

    std::optional<std::string_view> Next()
    {
        while (position_ < line_.size() && IsSeparator(line_[position_])) {
            ++position_;
        }
        std::size_t start = position_;
        while (position_ < line_.size() && !IsSeparator(line_[position_])) {
            ++position_;
        }
        if (position_ == start) {
            return std::nullopt;
        }
        return line_.substr(start, position_ - start);
    }

private:
    std::string_view line_;
    std::size_t position_ = 0;
};

enum class TokenKind { Text, Integer, Real };

// Scanned from the left: a digit marks an integer and the scan goes on, a minus sign changes
// nothing, a full stop makes it a real and any other byte text, both ending the scan. So "1.5x"
// is a real that fails to convert. A token of minus signs alone has no mark; it is kept as text.
TokenKind Classify(std::string_view token)
{
    bool digit = false;
    for (char c : token) {
        if (IsDigit(c)) {
            digit = true;
        } else if (c == '.') {
            return TokenKind::Real;
        } else if (c != '-') {
            return TokenKind::Text;
        }
    }
    return digit ? TokenKind::Integer : TokenKind::Text;
}

template <typename T>
std::optional<T> Convert(std::string_view token)
{
    T value{};
    const char* end = token.data() + token.size();
    auto [stop, error] = std::from_chars(token.data(), end, value);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

// Stores value token n of a line; false when a number does not convert.
bool StoreValue(TexValue& value, int n, std::string_view token)
{
    switch (Classify(token)) {
        case TokenKind::Text:
            value = TexValue::FromText(token);
            return true;
        case TokenKind::Integer: {
            auto number = Convert<std::int32_t>(token);
            if (!number) {
                return false;
            }
            if (n == 0) {
                value = TexValue();
            }
            if (n < 4) {
                value.SetInt(n, *number);
                return true;
            }
            if (n == 4) {
                // Five or more integers: the four 32-bit slots become the first four 16-bit ones.
                for (int k = 0; k < 4; ++k) {
                    value.SetShort(k, static_cast<std::int16_t>(value.Int(k)));
                }
            }
            value.SetShort(n, static_cast<std::int16_t>(*number));
            return true;
        }
        case TokenKind::Real: {
            auto number = Convert<float>(token);
            if (!number) {
                return false;
            }
            if (n == 0) {
                value = TexValue();
            }
            // A real has only four slots; one in a later position is ignored.
            if (n < 4) {
                value.SetReal(n, *number);
            }
            return true;
        }
    }
    return true;
}

bool IsNoEntry(std::string_view firstToken)
{
    char c = firstToken.front();
    return c == '#' || c == '{' || c == '}';
}

class BlockReader {
public:
    BlockReader(std::string_view name, const std::vector<std::string_view>& lines)
        : name_(name), lines_(lines)
    {}

    // Reads the block that starts at the next "{" line from `line` on; false when there is none
    // or a number did not convert. A block that is never closed runs to the last line.
    bool Read(std::size_t& line, TexBlock& block)
    {
        while (line < lines_.size() && lines_[line] != "{") {
            ++line;
        }
        if (line == lines_.size()) {
            return false;
        }
        for (++line; line < lines_.size() && lines_[line] != "}"; ++line) {
            if (!ReadEntry(line, block)) {
                return false;
            }
        }
        if (line < lines_.size()) {
            ++line;
        }
        return true;
    }

    const std::optional<std::string>& Error() const { return error_; }

private:
    // A line holds a key and values up to a token that starts with '#'; values past the eighth
    // are outside the format and are dropped.
    bool ReadEntry(std::size_t line, TexBlock& block)
    {
        Tokenizer tokens(lines_[line]);
        auto key = tokens.Next();
        if (!key || IsNoEntry(*key)) {
            return true;
        }
        TexEntry entry;
        entry.SetKey(*key);
        for (int n = 0; n < TexParser::kMaxValues; ++n) {
            auto token = tokens.Next();
            if (!token || token->front() == '#') {
                break;
            }
            if (!StoreValue(entry.value, n, *token)) {
                error_ = std::string(name_) + ": line " + std::to_string(line + 1) + ": \"" +
                         std::string(*token) + "\" is not a number";
                return false;
            }
        }
        block.entries.push_back(entry);
        return true;
    }

    std::string_view name_;
    const std::vector<std::string_view>& lines_;
    std::optional<std::string> error_;
};

// Every "}" must close the blocks opened so far, and none may be open at the end.
bool BracesPairUp(const std::vector<std::string_view>& lines, int& opened)
{
    int closed = 0;
    bool paired = true;
    opened = 0;
    for (std::string_view line : lines) {
        if (line == "{") {
            ++opened;
        } else if (line == "}") {
            ++closed;
            paired = paired && opened == closed;
        }
    }
    return paired && opened == closed;
}

}  // namespace

TexParseResult TexParser::Parse(std::string_view name, std::span<const std::uint8_t> text)
{
    TexParseResult result;
    std::vector<std::string_view> lines = SplitLines(text);
    int opened = 0;
    result.bracketError = !BracesPairUp(lines, opened);
    result.blocks.reserve(static_cast<std::size_t>(opened));

    BlockReader reader(name, lines);
    std::size_t line = 0;
    for (int b = 0; b < opened; ++b) {
        TexBlock block;
        if (!reader.Read(line, block)) {
            break;
        }
        result.blocks.push_back(std::move(block));
    }
    if (reader.Error()) {
        result.blocks.clear();
        result.conversionError = reader.Error();
    }
    return result;
}

}  // namespace kipkip
