#pragma once

#include "document/csvsyntax.h"
#include "document/league.h"

#include <cstdint>
#include <span>
#include <string>

namespace kvx {

// The whole league as CSV text (RFC 4180, UTF-8, CR LF line endings): a header row, one
// "league" row, and per team one "team" row followed by one "player" row per slot. Holds
// everything the data file holds, so the data file read back from it is byte for byte the data
// file of `league`. Throws CsvError when a text is longer than a data file can hold.
//
// Columns (1-based), each with one meaning; a row leaves the columns of other kinds empty:
//   1      Record         "league", "team" or "player"
//   2      Team           team index 0.. (team and player rows)
//   3-6    City, Team Name, Abbreviation, Schedule Name (team rows; repeated on player rows)
//   7      Slot           QB1..QB7, RB1.., ..., P1..P7 (player rows)
//   8-11   Number, First Name, Last Name, Face
//   12-22  the eleven attribute levels: RS RP MS HP BB AG, then Att 6..Att 10
//   23     Extra Nibble
//   24-32  RomSlot 1..RomSlot 9, the export slot per edition code (team rows)
//   33-37  Team Count, Year, Month, Day, Credits (the league row)
// Numbers are decimal. A jersey number outside 0..99 or a level outside -1..15 is written
// "raw:" and its value, so that the editor's ranges are checked on plain values while every
// value a data file can hold still survives. A league whose CSV would be longer than
// MaxCsvFileSize, and so could not be read back, throws CsvError.
std::string leagueToCsv(const League& league);

// The same text, handed to `sink` a row or more at a time, so that only a row is held at once.
// When the CSV would be too long the CsvError comes before the row that crosses the limit is
// handed over; a caller that may not write part of it asks leagueCsvSize first.
void writeLeagueCsv(const League& league, const CsvSink& sink);

// The length of the league's CSV text, without keeping it; throws as leagueToCsv does.
std::size_t leagueCsvSize(const League& league);

// A league of 32 full teams takes about a quarter of a megabyte as CSV, its team texts repeated on
// every player row; a larger file than this is no league and is not read, nor written.
inline constexpr std::size_t MaxCsvFileSize = 64 * 1024 * 1024;

// Reads CSV text written by leagueToCsv, possibly edited: rows in any order after the header,
// fields quoted or not, CR LF or LF line endings, empty lines at the end, a leading UTF-8 byte
// order mark. Returns a fresh league (TeamCount, Teams, GeneralInfo; CurrentFile empty) or throws
// CsvError.
League leagueFromCsv(std::span<const std::uint8_t> bytes);
League leagueFromCsv(std::string_view text);

} // namespace kvx
