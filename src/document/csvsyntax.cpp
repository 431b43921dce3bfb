#include "document/csvsyntax.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace kvx {

namespace {

// ASCII other than the separators and the quote: an unquoted field holds these as they are.
constexpr auto CopiedAsIs = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 0x80; ++c)
        table[static_cast<std::size_t>(c)] = c != ',' && c != '"' && c != '\r' && c != '\n';
    return table;
}();
constexpr auto copiedAsIs = [](char c) { return CopiedAsIs[static_cast<unsigned char>(c)]; };
constexpr bool endsField(char c) {
    return c == ',' || c == '\r' || c == '\n';
}

// At least `digits` hexadecimal digits, more where the value needs them.
std::string hex(unsigned value, int digits) {
    constexpr std::string_view Digits = "0123456789ABCDEF";
    std::string text;
    for (; value != 0 || digits > 0; --digits, value >>= 4)
        text.insert(text.begin(), Digits[value & 0xF]);
    return text;
}

} // namespace

void failAt(int line, int column, std::span<const std::string_view> headers,
            const std::string& what) {
    std::string where = "Line " + std::to_string(line) + ", column " + std::to_string(column + 1);
    if (column >= 0 && static_cast<std::size_t>(column) < headers.size())
        where += " (" + std::string(headers[static_cast<std::size_t>(column)]) + ")";
    throw CsvError(where + ": " + what);
}

std::string quotedForMessage(std::string_view text) {
    constexpr std::size_t Longest = 40;
    std::string result(1, '"');
    result += text.substr(0, Longest);
    result += text.size() > Longest ? "...\"" : "\"";
    return result;
}

// ---- Writing ----------------------------------------------------------------------------------

namespace {
constexpr std::size_t SinkChunk = 64 * 1024;
}

CsvWriter::CsvWriter(int columns, std::size_t expectedSize, std::size_t limit)
    : columns_(columns), limit_(limit) {
    out_.resize(std::min(expectedSize, limit));
}

CsvWriter::CsvWriter(int columns, CsvSink sink, std::size_t limit)
    : columns_(columns), limit_(limit), sink_(std::move(sink)) {
    out_.resize(2 * SinkChunk);
}

void CsvWriter::text(int column, std::string_view bytes) {
    char* to = room(column, 2 * bytes.size() + 2); // every byte doubled at worst, and quotes
    if (std::all_of(bytes.begin(), bytes.end(), copiedAsIs) &&
        (bytes.empty() || (bytes.front() != ' ' && bytes.back() != ' '))) {
        written(std::copy(bytes.begin(), bytes.end(), to));
        return;
    }
    const bool quote =
        std::any_of(bytes.begin(), bytes.end(),
                    [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; }) ||
        (!bytes.empty() && (bytes.front() == ' ' || bytes.back() == ' '));
    if (quote)
        *to++ = '"';
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            if (c == '"')
                *to++ = '"';
            *to++ = c;
        } else {
            *to++ = static_cast<char>(0xC0 | (byte >> 6));
            *to++ = static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    if (quote)
        *to++ = '"';
    written(to);
}

void CsvWriter::number(int column, int value, std::string_view prefix) {
    constexpr std::size_t Digits = 11; // -2147483648
    char* to = std::copy(prefix.begin(), prefix.end(), room(column, prefix.size() + Digits));
    written(std::to_chars(to, to + Digits, value).ptr);
}

void CsvWriter::endRow() {
    char* to = room(columns_ - 1, 2);
    *to++ = '\r';
    *to++ = '\n';
    written(to);
    column_ = 0;
    if (size() > limit_)
        throw CsvError("The CSV text would be longer than " + std::to_string(limit_ >> 20) +
                       " MiB, and a CSV file that long could not be read back; it was not "
                       "written.");
    if (sink_ && size_ >= SinkChunk) {
        sink_(std::string_view(out_.data(), size_));
        handedOver_ += size_;
        size_ = 0;
    }
}

void CsvWriter::grow(std::size_t bytes) {
    out_.resize(std::max(2 * out_.size(), size_ + bytes));
}

std::string CsvWriter::finish() {
    if (sink_) {
        if (size_ > 0)
            sink_(std::string_view(out_.data(), size_));
        handedOver_ += size_;
        size_ = 0;
        return {};
    }
    out_.resize(size_);
    return std::move(out_);
}

// ---- Reading ----------------------------------------------------------------------------------

CsvReader::CsvReader(std::string_view bytes, std::span<const std::string_view> headers)
    : in_(bytes), headers_(headers), fields_(headers.size()) {
    if (in_.starts_with("\xEF\xBB\xBF"))
        in_.remove_prefix(3);
    end_ = in_.find_last_not_of("\r\n");
    end_ = end_ == std::string_view::npos ? 0 : end_ + 1;
}

std::span<const CsvField> CsvReader::next() {
    if (position_ >= end_)
        return {};
    std::size_t count = 0;
    for (;;) {
        if (count == fields_.size())
            fail(line_, static_cast<int>(count),
                 "expected the row to end after " + std::to_string(count) + " fields");
        CsvField& field = fields_[count];
        field.line = line_;
        // Most fields are plain ASCII without quotes: a view of the input.
        const auto plainEnd = std::find_if_not(in_.begin() + static_cast<std::ptrdiff_t>(position_),
                                               in_.end(), copiedAsIs);
        if (plainEnd == in_.end() || endsField(*plainEnd)) {
            const auto end = static_cast<std::size_t>(plainEnd - in_.begin());
            field.text = in_.substr(position_, end - position_);
            position_ = end;
        } else {
            readField(field, static_cast<int>(count));
        }
        ++count;
        if (position_ >= end_) { // only line endings follow
            if (position_ < in_.size())
                ++line_;
            position_ = in_.size();
            return {fields_.data(), count};
        }
        const char c = in_[position_];
        if (c == ',') {
            ++position_;
            continue;
        }
        if (c == '\n' || (c == '\r' && position_ + 1 < in_.size() && in_[position_ + 1] == '\n')) {
            position_ += c == '\r' ? 2 : 1;
            ++line_;
            return {fields_.data(), count};
        }
        fail(line_, static_cast<int>(count - 1),
             "expected a line ending (CR LF or LF) after a carriage return");
    }
}

// A quoted field, or one with characters beyond ASCII: decoded into the field's own text.
void CsvReader::readField(CsvField& field, int column) {
    std::string& decoded = field.decoded;
    decoded.clear();
    int characters = 0;
    if (in_[position_] == '"') {
        ++position_;
        for (;;) {
            if (position_ == in_.size())
                fail(field.line, column,
                     "expected a closing quote for the quoted field that starts here");
            const char c = in_[position_];
            if (c == '"') {
                if (position_ + 1 < in_.size() && in_[position_ + 1] == '"') {
                    decoded += '"';
                    position_ += 2;
                    ++characters;
                    continue;
                }
                ++position_;
                break;
            }
            if (c == '\n')
                ++line_;
            readCharacter(decoded, column, ++characters);
        }
        if (position_ < in_.size() && !endsField(in_[position_])) {
            // A quote left open takes everything up to the next quote into its field, which
            // usually ends lines later: where it opened is what needs fixing.
            if (line_ != field.line)
                fail(field.line, column,
                     "expected a closing quote for the quoted field that starts here; the quote "
                     "that would close it, on line " +
                         std::to_string(line_) +
                         ", is followed by other text instead of a comma or the end of the line");
            fail(line_, column, "expected a comma or the end of the line after the closing quote");
        }
    } else {
        while (position_ < in_.size() && !endsField(in_[position_])) {
            if (in_[position_] == '"')
                fail(line_, column,
                     "expected no quote inside an unquoted field (quote the whole field and "
                     "double the quote)");
            readCharacter(decoded, column, ++characters);
        }
    }
    field.text = decoded;
}

// One UTF-8 character, appended as the byte with its code point.
void CsvReader::readCharacter(std::string& out, int column, int character) {
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(in_[i]); };
    const unsigned lead = byteAt(position_);
    if (lead < 0x80) {
        out += static_cast<char>(lead);
        ++position_;
        return;
    }
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    unsigned codePoint = lead & (0x7F >> length);
    bool valid = length != 0 && lead < 0xF8 && in_.size() - position_ >= length;
    for (std::size_t i = 1; valid && i < length; ++i) {
        const unsigned next = byteAt(position_ + i);
        valid = (next & 0xC0) == 0x80;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    constexpr std::array<unsigned, 5> Smallest = {0, 0, 0x80, 0x800, 0x10000};
    if (!valid || codePoint < Smallest[length] || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        fail(line_, column,
             "expected UTF-8 text; the byte 0x" + hex(lead, 2) + " (character " +
                 std::to_string(character) +
                 " of the field) does not begin a valid UTF-8 character");
    if (codePoint > 0xFF)
        fail(line_, column,
             "expected characters U+0000 to U+00FF, which are single bytes in the league; the "
             "character U+" +
                 hex(codePoint, 4) + " (character " + std::to_string(character) +
                 " of the field) has no single byte");
    out += static_cast<char>(codePoint);
    position_ += length;
}

} // namespace kvx
