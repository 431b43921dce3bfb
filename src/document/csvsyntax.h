#pragma once

#include "base/error.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// CSV text as RFC 4180 has it (comma-separated, double-quoted where needed), in UTF-8, for texts
// of single-byte characters: the byte b is the character U+00bb. The league's own layout is in
// csv.h; its tests cover this layer too.
namespace kvx {

// A CSV file that cannot be read. The message names the line and column where reading stopped
// and what was expected there.
class CsvError : public Error {
public:
    using Error::Error;
};

// Throws CsvError "Line 5, column 9 (First Name): <what>". `column` counts from 0; `headers`
// name the columns (a column past them has no name).
[[noreturn]] void failAt(int line, int column, std::span<const std::string_view> headers,
                         const std::string& what);

// A text as a message quotes it, cut short when long.
std::string quotedForMessage(std::string_view text);

// Receives CSV text a row or more at a time.
using CsvSink = std::function<void(std::string_view)>;

// Writes CSV text row by row, with CR LF line endings. Cells are written in column order; the
// columns a row skips stay empty.
class CsvWriter {
public:
    // The text is kept whole, for finish().
    CsvWriter(int columns, std::size_t expectedSize, std::size_t limit);
    // The text goes to `sink` whenever a row ends with some 64 KiB gathered, the rest at
    // finish(); only the rows since are held.
    CsvWriter(int columns, CsvSink sink, std::size_t limit);

    // Quoted when a comma, quote or line break is inside, and when it starts or ends with a
    // space, which some spreadsheets would otherwise trim.
    void text(int column, std::string_view bytes);
    // Decimal, after `prefix`.
    void number(int column, int value, std::string_view prefix = {});
    // Throws CsvError when the text would grow longer than `limit` bytes with this row, which
    // then never reaches the sink.
    void endRow();
    // The length of the text so far, the row being written included.
    std::size_t size() const { return handedOver_ + size_; }
    // The whole text; with a sink, "" once the rest went to the sink.
    std::string finish();

private:
    // Writes the commas up to `column` and makes room for `bytes` more; returns where they go.
    char* room(int column, std::size_t bytes) {
        const auto commas = static_cast<std::size_t>(std::max(column - column_, 0));
        if (out_.size() - size_ < commas + bytes)
            grow(commas + bytes);
        column_ = std::max(column, column_);
        return std::fill_n(out_.data() + size_, commas, ',');
    }
    void grow(std::size_t bytes);
    void written(const char* end) { size_ = static_cast<std::size_t>(end - out_.data()); }

    int columns_;
    std::size_t limit_;
    CsvSink sink_;
    std::string out_; // `size_` bytes of text, then room
    std::size_t size_ = 0;
    std::size_t handedOver_ = 0; // to the sink
    int column_ = 0;             // the cell being written
};

struct CsvField {
    std::string_view text; // single-byte characters: a view of the input or of `decoded`
    std::string decoded;
    int line = 0; // where the field starts
};

// Splits CSV text into rows of fields. Accepts CR LF or LF line endings, a UTF-8 byte order mark
// at the start and empty lines at the end; refuses anything else that is not CSV or not UTF-8,
// a character beyond U+00FF, and a row with more fields than there are headers.
class CsvReader {
public:
    CsvReader(std::string_view bytes, std::span<const std::string_view> headers);

    // The fields of the next row, valid until the next call; none after the last row.
    std::span<const CsvField> next();
    // The line the next row would start on.
    int line() const { return line_; }

private:
    void readField(CsvField& field, int column);
    void readCharacter(std::string& out, int column, int character);
    [[noreturn]] void fail(int line, int column, const std::string& what) const {
        failAt(line, column, headers_, what);
    }

    std::string_view in_;
    std::span<const std::string_view> headers_;
    std::size_t end_ = 0; // only line endings follow
    std::size_t position_ = 0;
    int line_ = 1;
    std::vector<CsvField> fields_; // one per header, never moved: views of `decoded` stay valid
};

} // namespace kvx
