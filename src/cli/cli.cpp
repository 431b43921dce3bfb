#include "cli/cli.h"

#include "base/error.h"
#include "base/fileio.h"
#include "base/messages.h"
#include "document/csv.h"
#include "document/datafile.h"
#include "document/htmltable.h"
#include "document/locations.h"
#include "document/slotassignment.h"
#include "ratings/ratingscale.h"
#include "ratings/teamratings.h"
#include "rom/commands.h"
#include "rom/romio.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>

namespace kvx::cli {

namespace {

constexpr const char* UsageText =
    "Usage:\n"
    "  kvxm2000-cli detect IMAGE\n"
    "  kvxm2000-cli import [--edition E] [--roster N] IMAGE OUT.kvx\n"
    "  kvxm2000-cli export [--edition E] [--auto-assign] DATA.kvx IMAGE\n"
    "  kvxm2000-cli ratings [--scale FILE.trs] [--html OUT.html] DATA.kvx\n"
    "  kvxm2000-cli to-csv DATA.kvx [OUT.csv]\n"
    "  kvxm2000-cli from-csv IN.csv OUT.kvx\n"
    "  kvxm2000-cli --help\n"
    "\n"
    "\"--\" ends the options, for file names that begin with \"--\".\n"
    "Editions: auto, nes, genesis1, genesis2, genesis3, snes1, snes2, snes3, psx,\n"
    "or their codes 1..9. The default is auto (detected from the image).\n"
    "Exit codes: 0 success, 1 usage, 2 input refused, 3 export refused.\n";

// A usage mistake: the usage text goes to stderr and the exit code is 1.
struct UsageError {};

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

int editionOption(const Arguments& arguments) {
    const auto name = arguments.option("--edition");
    if (!name)
        return AutoDetect;
    const auto edition = editionFromName(*name);
    if (!edition)
        throw UsageError{};
    return *edition;
}

// The image's edition: the named one as it is, or the detected one for auto. Nothing when the
// edition cannot be read or written by this program.
std::optional<int> resolveEdition(int edition, const RomImage& image) {
    if (edition == AutoDetect)
        edition = detectEdition(image);
    if (!editionSupported(edition))
        return std::nullopt;
    return edition;
}

// Existing files only: an image is never created by reading or exporting it. What exists but
// is no file (a folder, a FIFO) is refused by the reading, with its reason.
RomImage loadImage(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        throw FileError("There is no game image at \"" + path + "\".");
    return RomImage::load(path);
}

Date today() {
    return systemToday();
}

int detect(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Arguments arguments = parse(words, {}, {}, 1);
    const int edition = detectEdition(loadImage(arguments.positional[0]));
    if (edition == 0) {
        err << msg::RomNotSupported << '\n';
        return InputRefused;
    }
    out << edition << ' ' << editionName(edition) << '\n';
    return Success;
}

int import(const std::vector<std::string>& words, std::ostream& err) {
    const Arguments arguments = parse(words, {"--edition", "--roster"}, {}, 2);
    const int named = editionOption(arguments);
    const auto roster = rosterChoiceFromAnswer(arguments.option("--roster").value_or("3"));
    if (!roster)
        throw UsageError{};

    const RomImage image = loadImage(arguments.positional[0]);
    const auto edition = resolveEdition(named, image);
    if (!edition) {
        err << msg::RomNotSupported << '\n';
        return InputRefused;
    }
    League league;
    newDocument(league, today());
    const ImportResult result = importLeague(image, *edition, *roster, league);
    for (const auto& warning : result.warnings)
        err << warning << '\n';
    Save_Data_File(league, arguments.positional[1]);
    return Success;
}

int exportCommand(const std::vector<std::string>& words, std::ostream& err) {
    const Arguments arguments = parse(words, {"--edition"}, {"--auto-assign"}, 2);
    const int named = editionOption(arguments);
    League league;
    if (!Load_Data_File(league, arguments.positional[0])) {
        err << msg::CannotOpenFile << '\n';
        return InputRefused;
    }
    const std::string& path = arguments.positional[1];
    RomImage image = loadImage(path);
    const auto edition = resolveEdition(named, image);
    if (!edition) {
        err << msg::RomNotSupported << '\n';
        return InputRefused;
    }
    if (arguments.option("--auto-assign")) {
        SlotAssignment assignment(league, *edition);
        for (int page = 0; page < SlotAssignment::Pages; ++page)
            assignment.autoMatch(league, page);
        assignment.finish(league);
    }
    try {
        const ExportResult result = Export_ROM(*edition, league, image);
        // "Warning!\r..." is worded for a message box: one line here.
        for (const auto& warning : result.warnings) {
            std::string line = warning;
            std::replace(line.begin(), line.end(), '\r', ' ');
            err << line << '\n';
        }
        for (const auto& cut : result.cuts)
            err << "Warning: " << cut << '\n';
        image.save(path);
    } catch (const ExportRefused& refusal) {
        err << refusal.what() << '\n';
        return ExportRefusedCode;
    } catch (const FileError& failure) {
        err << failure.what() << '\n';
        return ExportRefusedCode;
    }
    return Success;
}

int ratings(const std::vector<std::string>& words, const std::string& programDirectory,
            std::ostream& out, std::ostream& err) {
    const Arguments arguments = parse(words, {"--scale", "--html"}, {}, 1);
    League league;
    if (!Load_Data_File(league, arguments.positional[0])) {
        err << msg::CannotOpenFile << '\n';
        return InputRefused;
    }
    RatingScale scale{};
    if (const std::string defaultScale = defaultRatingScalePath(programDirectory);
        !defaultScale.empty())
        Load_Rating_Scale(defaultScale, scale);
    if (const auto path = arguments.option("--scale"); path && !Load_Rating_Scale(*path, scale)) {
        err << "The rating scale \"" << *path << "\" cannot be read.\n";
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

// The data file as CSV, into OUT.csv or to standard output.
int toCsv(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Arguments arguments = parse(words, {}, {}, 1, 1);
    League league;
    if (!Load_Data_File(league, arguments.positional[0])) {
        err << msg::CannotOpenFile << '\n';
        return InputRefused;
    }
    const std::string csv = leagueToCsv(league);
    if (arguments.positional.size() == 2)
        writeFileAtomically(arguments.positional[1], csv);
    else if (!out.write(csv.data(), static_cast<std::streamsize>(csv.size())).flush())
        throw FileError("The CSV text could not be written to the standard output.");
    return Success;
}

// A CSV file read back into a data file; OUT.kvx is written only when the whole file was read.
int fromCsv(const std::vector<std::string>& words) {
    const Arguments arguments = parse(words, {}, {}, 2);
    const League league = leagueFromCsv(readFile(arguments.positional[0], MaxCsvFileSize));
    Save_Data_File(league, arguments.positional[1]);
    return Success;
}

} // namespace

int run(const std::vector<std::string>& args, const std::string& programDirectory,
        std::ostream& out, std::ostream& err) {
    try {
        if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
            out << UsageText;
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
        throw UsageError{};
    } catch (const UsageError&) {
        err << UsageText;
        return Usage;
    } catch (const Error& error) {
        err << error.what() << '\n';
        return InputRefused;
    } catch (const std::exception& error) {
        err << "Unexpected error: " << error.what() << '\n';
        return InputRefused;
    }
}

} // namespace kvx::cli
