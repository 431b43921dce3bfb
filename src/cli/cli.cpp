#include "cli/cli.h"

#include "app/locations.h"
#include "base/error.h"
#include "base/fileio.h"
#include "base/messages.h"
#include "document/csv.h"
#include "document/datafile.h"
#include "document/htmltable.h"
#include "document/slotassignment.h"
#include "ratings/ratingscale.h"
#include "ratings/teamratings.h"
#include "rom/commands.h"
#include "rom/headerchecksum.h"
#include "rom/patch.h"
#include "rom/romio.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

namespace kvx::cli {

namespace {

// The usage text: the editions' names come from their table, after "Editions: ".
constexpr const char* UsageHead =
    "Usage:\n"
    "  kvxm2000-cli detect IMAGE\n"
    "  kvxm2000-cli import [--edition E] [--roster N] [--force] IMAGE OUT.kvx\n"
    "  kvxm2000-cli export [--edition E] [--auto-assign] [--fix-checksum]\n"
    "                      [--patch OUT.ips|OUT.bps] [--force] DATA.kvx IMAGE\n"
    "  kvxm2000-cli patch [--force] IMAGE PATCH OUT\n"
    "  kvxm2000-cli ratings [--scale FILE.trs] [--html OUT.html] [--force] DATA.kvx\n"
    "  kvxm2000-cli to-csv [--force] DATA.kvx [OUT.csv]\n"
    "  kvxm2000-cli from-csv [--force] IN.csv OUT.kvx\n"
    "  kvxm2000-cli --help | --version\n"
    "\n";
constexpr const char* UsageTail =
    "or their codes 1..9. The default is auto (detected from the image); a named\n"
    "edition that the image's bytes contradict is refused.\n"
    "--roster N     which of a Genesis II image's rosters to import: 1, 2 or 3 (default 3).\n"
    "--force        write over a file that is one of the command's inputs or a game\n"
    "               image, or take an image as the named edition all the same.\n"
    "--fix-checksum correct the Genesis or SNES header checksum after the export.\n"
    "--patch OUT    leave the image as it is and write an IPS or BPS patch (by OUT's\n"
    "               extension) that turns it into what the export would have written.\n"
    "--             ends the options, for file names that begin with \"--\".\n"
    "Exports into one image take turns; an image that another program changes while\n"
    "it is exported is left as that program made it, and the export is refused.\n"
    "Without OUT.csv, to-csv writes to the standard output. patch applies an IPS or\n"
    "BPS patch (a BPS patch made for another image is refused) and writes OUT.\n"
    "detect also says whether a Genesis or SNES header checksum is right.\n"
    "\n"
    "Exit codes: 0 success, 1 usage, 2 input refused, 3 export refused,\n"
    "4 could not write (a file or the standard output).\n";

std::string usageText() {
    std::string editions = "Editions:";
    for (const EditionInfo& info : Editions)
        editions += " " + std::string(info.shortName) + ",";
    return UsageHead + editions + "\n" + UsageTail;
}

// A usage mistake: what was wrong, if anything more than the words, then the usage text go to
// stderr and the exit code is 1.
struct UsageError {
    std::string message;
};

// The words of one command: its options (with their values, or "" for switches) and the rest.
struct Arguments {
    std::map<std::string, std::string> options;
    std::vector<std::string> positional;

    std::optional<std::string> option(const std::string& name) const {
        const auto found = options.find(name);
        return found == options.end() ? std::nullopt : std::optional(found->second);
    }
};

// `optionalCount` more positional words may follow the `positionalCount` required ones.
Arguments parse(const std::vector<std::string>& words, const std::vector<std::string>& valued,
                const std::vector<std::string>& switches, std::size_t positionalCount,
                std::size_t optionalCount = 0) {
    Arguments arguments;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        std::string word = words[i];
        if (!optionsEnded && word == "--") {
            // Everything after "--" is a file, even when its name begins with "--".
            optionsEnded = true;
        } else if (!optionsEnded && word.size() > 2 && word.starts_with("--")) {
            std::string value;
            bool hasValue = false;
            if (const auto equals = word.find('='); equals != std::string::npos) {
                value = word.substr(equals + 1);
                word = word.substr(0, equals);
                hasValue = true;
            }
            const bool takesValue = std::find(valued.begin(), valued.end(), word) != valued.end();
            const bool isSwitch =
                std::find(switches.begin(), switches.end(), word) != switches.end();
            if ((!takesValue && !isSwitch) || (isSwitch && hasValue) ||
                arguments.options.count(word))
                throw UsageError{};
            if (takesValue && !hasValue) {
                if (++i == words.size())
                    throw UsageError{};
                value = words[i];
            }
            arguments.options[word] = value;
        } else {
            arguments.positional.push_back(word);
        }
    }
    if (arguments.positional.size() < positionalCount ||
        arguments.positional.size() > positionalCount + optionalCount)
        throw UsageError{};
    return arguments;
}

Edition editionOption(const Arguments& arguments) {
    const auto name = arguments.option("--edition");
    if (!name)
        return AutoDetect;
    const auto edition = editionFromName(*name);
    if (!edition)
        throw UsageError{};
    return *edition;
}

// What --roster names: one of the three rosters of a multi-roster image.
int rosterOption(const Arguments& arguments) {
    const std::string answer = arguments.option("--roster").value_or("3");
    if (answer != "1" && answer != "2" && answer != "3")
        throw UsageError{"--roster takes 1, 2 or 3, not \"" + answer + "\"."};
    return answer[0] - '0';
}

// The image's edition: the detected one for auto, else the named one, which the image's own
// bytes may not contradict unless forced (an image without a known signature contradicts
// nothing). An edition this program cannot read or write is refused.
Edition resolveNamedEdition(Edition named, const RomImage& image, const std::string& path,
                            bool force) {
    const auto detected = detectEdition(image);
    const Edition edition = resolveEdition(named, image);
    if (detected && *detected != edition && !force)
        throw Error("\"" + path + "\" is a " + std::string(editionName(*detected)) +
                    " image by its bytes, not " + std::string(editionName(edition)) +
                    "; give --force to take it as " + std::string(editionName(edition)) +
                    " all the same.");
    return edition;
}

// Existing files only: an image is never created by reading or exporting it. What exists but
// is no file (a folder, a FIFO) is refused by the reading, with its reason.
void requireImage(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        throw FileError("There is no game image at \"" + path + "\".");
}

RomImage loadImage(const std::string& path) {
    requireImage(path);
    return RomImage::load(path);
}

// The start of a regular file, as far as the edition signature reaches (all of a shorter file).
RomImage signatureBytes(const std::string& path) {
    constexpr std::size_t SignatureEnd = 0x20;
    std::vector<std::uint8_t> start(SignatureEnd);
    std::ifstream file(path, std::ios::binary);
    file.read(reinterpret_cast<char*>(start.data()), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0)));
    return RomImage(std::span<const std::uint8_t>(start));
}

// The edition a game image's signature names, read from the start of the file; 0 for anything
// else, a file that cannot be read included.
std::optional<Edition> editionOfFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    return detectEdition(signatureBytes(path));
}

// Enough of the image an export writes into to tell its edition: the export reads the whole
// image itself, under its lock. What is no regular file is refused here with the reading's
// reason.
RomImage imageToExportInto(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return loadImage(path);
    return signatureBytes(path);
}

// A command writes `output` over none of its inputs (the same file under any name) and over no
// game image, which only export writes into; --force lets it.
void checkOutput(const std::string& output, const std::vector<std::string>& inputs, bool force) {
    if (force)
        return;
    for (const std::string& input : inputs) {
        std::error_code error;
        if (std::filesystem::equivalent(output, input, error))
            throw WriteError("Not writing \"" + output + "\": it is the input \"" + input +
                             "\" of this command. Give --force to write over it all the same.");
    }
    if (const auto edition = editionOfFile(output))
        throw WriteError("Not writing \"" + output + "\": it is a game image (" +
                         std::string(editionName(*edition)) +
                         "), which only export writes into. Give --force to replace it all the "
                         "same.");
}

bool forced(const Arguments& arguments) {
    return arguments.option("--force").has_value();
}

Date today() {
    return systemToday();
}

// "4 digits": a checksum as the header stores it.
std::string hex16(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

int detect(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Arguments arguments = parse(words, {}, {}, 1);
    const RomImage image = loadImage(arguments.positional[0]);
    const auto edition = detectEdition(image);
    if (!edition) {
        err << msg::RomNotSupported << '\n';
        return InputRefused;
    }
    out << code(*edition) << ' ' << editionName(*edition) << '\n';
    // The first line stays the edition alone; a header adds a line of its own.
    if (const auto checksum = readHeaderChecksum(image.bytes())) {
        out << headerKindName(checksum->kind) << " header checksum " << hex16(checksum->stored);
        if (checksum->correct)
            out << ": right\n";
        else
            out << ": wrong, the image's bytes give " << hex16(checksum->computed) << '\n';
    }
    return Success;
}

int import(const std::vector<std::string>& words, std::ostream& err) {
    const Arguments arguments = parse(words, {"--edition", "--roster"}, {"--force"}, 2);
    const Edition named = editionOption(arguments);
    const int roster = rosterOption(arguments);
    const std::string& path = arguments.positional[0];
    const std::string& out = arguments.positional[1];
    checkOutput(out, {path}, forced(arguments));

    const RomImage image = loadImage(path);
    const Edition edition = resolveNamedEdition(named, image, path, forced(arguments));
    League league;
    newDocument(league, today());
    const auto result = importImage(
        image, edition, [roster] { return roster; }, league);
    for (const auto& warning : result->warnings)
        err << warning << '\n';
    Save_Data_File(league, out);
    return Success;
}

// What --patch names: the file and, by its extension, the format.
std::optional<std::pair<std::string, PatchFormat>> patchOption(const Arguments& arguments) {
    const auto path = arguments.option("--patch");
    if (!path)
        return std::nullopt;
    const auto format = patchFormatFromPath(*path);
    if (!format)
        throw UsageError{"--patch writes a file ending in .ips or .bps, not \"" + *path + "\"."};
    return std::pair(*path, *format);
}

void printExportMessages(const ExportResult& result, std::ostream& err) {
    for (const auto& warning : result.warnings)
        err << "Warning! " << warning.text << '\n';
    for (const auto& cut : result.cuts)
        err << "Warning: " << cut << '\n';
    for (const auto& note : result.notes)
        err << "Warning: " << note << '\n';
}

int exportCommand(const std::vector<std::string>& words, std::ostream& err) {
    const Arguments arguments =
        parse(words, {"--edition", "--patch"}, {"--auto-assign", "--fix-checksum", "--force"}, 2);
    const Edition named = editionOption(arguments);
    const auto patch = patchOption(arguments);
    const std::string& path = arguments.positional[1];
    if (patch)
        checkOutput(patch->first, {arguments.positional[0], path}, forced(arguments));
    League league;
    if (!Load_Data_File(league, arguments.positional[0])) {
        err << msg::CannotOpenFile << '\n';
        return InputRefused;
    }
    const Edition edition =
        resolveNamedEdition(named, imageToExportInto(path), path, forced(arguments));
    if (arguments.option("--auto-assign")) {
        SlotAssignment assignment(league, edition);
        for (int page = 0; page < SlotAssignment::Pages; ++page)
            assignment.autoMatch(league, page);
        assignment.finish(league);
    }
    try {
        const ExportChoices choices{.fixChecksum = arguments.option("--fix-checksum").has_value()};
        const auto print = [&err](const ExportResult& result) { printExportMessages(result, err); };
        if (patch) {
            // The image stays as it is: the patch turns it into what the export writes.
            const ExportedCopy copy = exportCopy(path, edition, league, choices);
            const auto bytes =
                makePatch(patch->second, copy.original.bytes(), copy.exported.bytes());
            print(copy.result);
            writeFileAtomically(patch->first, bytes);
            return Success;
        }
        exportImageFile(path, edition, league, choices, print);
    } catch (const PatchError& refusal) {
        err << refusal.what() << '\n';
        return ExportRefusedCode;
    } catch (const ExportRefused& refusal) {
        err << refusal.what() << '\n';
        return ExportRefusedCode;
    } catch (const FileChanged&) {
        err << "The image \"" << path
            << "\" was changed by another program while exporting; nothing was written.\n";
        return ExportRefusedCode;
    }
    return Success;
}

// The default rating scale, with a warning when there is none to be read: every rating would
// then be 00.
RatingScale defaultScale(const std::string& programDirectory, std::ostream& err) {
    RatingScale scale{};
    const std::string path = defaultRatingScalePath(programDirectory);
    if (path.empty()) {
        const auto candidates = defaultRatingScaleCandidates(programDirectory);
        err << "Warning! There is no rating scale at \"" << candidates[0] << "\" or \""
            << candidates[1] << "\": every rating is 00. Give one with --scale.\n";
    } else if (!Load_Rating_Scale(path, scale)) {
        scale = {};
        err << "Warning! The rating scale \"" << path
            << "\" cannot be read: every rating is 00. Give one with --scale.\n";
    }
    return scale;
}

int ratings(const std::vector<std::string>& words, const std::string& programDirectory,
            std::ostream& out, std::ostream& err) {
    const Arguments arguments = parse(words, {"--scale", "--html"}, {"--force"}, 1);
    const auto scalePath = arguments.option("--scale");
    if (const auto html = arguments.option("--html")) {
        std::vector<std::string> inputs = {arguments.positional[0]};
        if (scalePath)
            inputs.push_back(*scalePath);
        checkOutput(*html, inputs, forced(arguments));
    }
    League league;
    if (!Load_Data_File(league, arguments.positional[0])) {
        err << msg::CannotOpenFile << '\n';
        return InputRefused;
    }
    RatingScale scale{};
    if (!scalePath)
        scale = defaultScale(programDirectory, err);
    else if (!Load_Rating_Scale(*scalePath, scale)) {
        err << "The rating scale \"" << *scalePath << "\" cannot be read.\n";
        return InputRefused;
    }

    TeamRatingsTable table;
    table.rebuild(league, scale);
    if (const auto html = arguments.option("--html"))
        writeFileAtomically(*html, htmlTable(table.listTable()));

    std::vector<const TeamRatingsRow*> inDocumentOrder;
    for (const auto& row : table.rows())
        inDocumentOrder.push_back(&row);
    std::sort(inDocumentOrder.begin(), inDocumentOrder.end(),
              [](const auto* a, const auto* b) { return a->Team < b->Team; });

    for (int column = 0; column < TeamRatingsColumnCount; ++column)
        out << (column ? "\t" : "") << TeamRatingsHeaders[static_cast<std::size_t>(column)];
    out << '\n';
    for (const auto* row : inDocumentOrder) {
        for (int column = 0; column < TeamRatingsColumnCount; ++column) {
            const auto c = static_cast<std::size_t>(column);
            out << (column ? "\t" : "") << row->Cells[c] << (row->Marked[c] ? "*" : "");
        }
        out << '\n';
    }
    return Success;
}

WriteError outputFailure(int cause) {
    return WriteError(std::string("Cannot write the standard output: ") +
                      (cause ? std::strerror(cause) : "the output was refused") + ".");
}

std::span<const std::uint8_t> bytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// The data file as CSV, into OUT.csv or to standard output, a piece at a time.
int toCsv(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Arguments arguments = parse(words, {}, {"--force"}, 1, 1);
    if (arguments.positional.size() == 2)
        checkOutput(arguments.positional[1], {arguments.positional[0]}, forced(arguments));
    League league;
    if (!Load_Data_File(league, arguments.positional[0])) {
        err << msg::CannotOpenFile << '\n';
        return InputRefused;
    }
    // A league too large for its CSV to be read back is refused before anything is written.
    leagueCsvSize(league);
    if (arguments.positional.size() == 2) {
        writeFileAtomically(arguments.positional[1], [&league](const ByteSink& sink) {
            writeLeagueCsv(league, [&sink](std::string_view text) { sink(bytesOf(text)); });
        });
    } else {
        writeLeagueCsv(league, [&out](std::string_view text) {
            errno = 0;
            if (!out.write(text.data(), static_cast<std::streamsize>(text.size())))
                throw outputFailure(errno);
        });
    }
    return Success;
}

// A CSV file read back into a data file; OUT.kvx is written only when the whole file was read.
int fromCsv(const std::vector<std::string>& words) {
    const Arguments arguments = parse(words, {}, {"--force"}, 2);
    checkOutput(arguments.positional[1], {arguments.positional[0]}, forced(arguments));
    const League league = leagueFromCsv(readFile(arguments.positional[0], MaxCsvFileSize));
    Save_Data_File(league, arguments.positional[1]);
    return Success;
}

// The image a patch makes, written to OUT: neither of the inputs nor another game image is
// written over unless forced.
int patchCommand(const std::vector<std::string>& words) {
    const Arguments arguments = parse(words, {}, {"--force"}, 3);
    const std::string& imagePath = arguments.positional[0];
    const std::string& patchPath = arguments.positional[1];
    const std::string& out = arguments.positional[2];
    checkOutput(out, {imagePath, patchPath}, forced(arguments));
    const RomImage image = loadImage(imagePath);
    // A patch holds at most a record header per byte it changes: twice an image is plenty.
    const FileBytes patch = readFile(patchPath, 2 * MaxImageSize);
    const FileBytes patched = applyPatch(image.bytes(), patch);
    writeFileAtomically(out, patched);
    return Success;
}

int runCommand(const std::vector<std::string>& args, const std::string& programDirectory,
               std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << usageText();
        return Success;
    }
    if (args.size() == 1 && args[0] == "--version") {
        out << "kvxm2000-cli " << KVX_VERSION << '\n';
        return Success;
    }
    if (args.empty())
        throw UsageError{};
    const std::string& command = args[0];
    const std::vector<std::string> words(args.begin() + 1, args.end());
    if (command == "detect")
        return detect(words, out, err);
    if (command == "import")
        return import(words, err);
    if (command == "export")
        return exportCommand(words, err);
    if (command == "ratings")
        return ratings(words, programDirectory, out, err);
    if (command == "to-csv")
        return toCsv(words, out, err);
    if (command == "from-csv")
        return fromCsv(words);
    if (command == "patch")
        return patchCommand(words);
    throw UsageError{};
}

// What a command wrote to the standard output counts only once it is out: a full disk or a
// closed pipe there is a failure like any other write.
int flushOutput(int code, std::ostream& out, std::ostream& err) {
    errno = 0;
    if (out.flush() || code != Success)
        return code;
    err << outputFailure(errno).what() << '\n';
    return WriteFailed;
}

} // namespace

int run(const std::vector<std::string>& args, const std::string& programDirectory,
        std::ostream& out, std::ostream& err) {
    int code = Success;
    try {
        code = runCommand(args, programDirectory, out, err);
    } catch (const UsageError& usage) {
        if (!usage.message.empty())
            err << usage.message << '\n';
        err << usageText();
        code = Usage;
    } catch (const WriteError& error) {
        err << error.what() << '\n';
        code = WriteFailed;
    } catch (const Error& error) {
        err << error.what() << '\n';
        code = InputRefused;
    } catch (const std::exception& error) {
        err << "Unexpected error: " << error.what() << '\n';
        code = InputRefused;
    }
    return flushOutput(code, out, err);
}

} // namespace kvx::cli
