#include "base/error.h"
#include "base/fileio.h"
#include "cli/cli.h"
#include "document/csv.h"
#include "document/datafile.h"
#include "document/htmltable.h"
#include "document/settings.h"
#include "ratings/ratingscale.h"
#include "rom/romimage.h"
#include "support/image_builder.h"
#include "support/nes_image.h"
#include "support/random_league.h"
#include "support/temp_dir.h"
#include "support/write_faults.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include <functional>
#include <optional>
#include <sstream>

namespace kvx {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

// Every kind of file the programs write, each through its own writer.
struct Writer {
    const char* file;
    std::function<void(const std::string& path)> write;
};

const std::vector<Writer>& writers() {
    static const std::vector<Writer> all = {
        {"league.kvx", [](const auto& path) { Save_Data_File(test::randomLeague(3, 5), path); }},
        {"game.nes",
         [](const auto& path) { RomImage(std::vector<std::uint8_t>(4096, 0x5A)).save(path); }},
        {"scale.trs", [](const auto& path) { Save_Rating_Scale(path, RatingScale{}); }},
        {"kvxm2000.ini", [](const auto& path) { Write_Ini_String(path, "files", "kvx", "x"); }},
        {"paths.ini",
         [](const auto& path) {
             writeRememberedPaths(path, {"a", "b", "c", "d"});
         }},
        {"ratings.html",
         [](const auto& path) {
             writeFileAtomically(path, htmlTable({{{"Team", false}}, {{"Bills", {}}}}));
         }},
        {"league.csv",
         [](const auto& path) {
             writeFileAtomically(path, leagueToCsv(test::randomLeague(2, 6)));
         }},
        // Where the file system has no unnamed temporary files, a named one must go too.
        {"named.bin",
         [](const auto& path) {
             writeFileAtomically(path, std::vector<std::uint8_t>(100, 'n'), TemporaryFile::Named);
         }},
    };
    return all;
}

// A full disk, a read-only file and a read-only folder, for every writer: the file stays byte
// for byte, the failure names the file and the cause, and nothing is left beside it.
TEST(WriteFaults, EveryWriterLeavesTheFileAsItWasAndSaysWhy) {
    enum Fault { FullDisk, ReadOnlyFile, ReadOnlyFolder };
    const std::pair<Fault, const char*> faults[] = {{FullDisk, "No space left on device"},
                                                    {ReadOnlyFile, "the file is read-only"},
                                                    {ReadOnlyFolder, "its folder is read-only"}};
    for (const auto& [fault, cause] : faults) {
        for (const Writer& writer : writers()) {
            TempDir dir;
            const std::string path = dir.file(writer.file);
            const std::vector<std::uint8_t> old = {'[', 'o', 'l', 'd', ']', '\r', '\n'};
            writeBytes(path, old);
            if (fault == ReadOnlyFile)
                ::chmod(path.c_str(), 0444);
            if (fault == ReadOnlyFolder)
                ::chmod(dir.path().c_str(), 0555);
            try {
                std::optional<test::InjectedWriteFailure> full;
                if (fault == FullDisk)
                    full.emplace(ENOSPC);
                writer.write(path);
                ADD_FAILURE() << writer.file << ": written despite " << cause;
            } catch (const FileError& failure) {
                EXPECT_EQ(std::string(failure.what()),
                          "Cannot write \"" + path + "\": " + cause + ".");
            }
            ::chmod(dir.path().c_str(), 0755);
            EXPECT_EQ(readBytes(path), old) << writer.file << ", " << cause;
            EXPECT_EQ(test::fileNames(dir.path()), std::vector<std::string>{writer.file}) << cause;
        }
    }
}

// A small file system mounted for the test, unmounted whatever happens.
class SmallFileSystem {
public:
    explicit SmallFileSystem(const std::filesystem::path& at) : at_(at) {
        std::filesystem::create_directory(at_);
        mounted_ = ::mount("tmpfs", at_.c_str(), "tmpfs", 0, "size=64k") == 0;
        error_ = errno;
    }
    ~SmallFileSystem() {
        if (mounted_)
            ::umount2(at_.c_str(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    int error() const { return error_; }

private:
    std::filesystem::path at_;
    bool mounted_ = false;
    int error_ = 0;
};

// The full disk above is simulated; here it is a real one, where the test may mount a 64 KiB
// file system: both kinds of temporary file fail on it as on the simulated one, and leave the
// file and the file system as they were.
TEST(WriteFaults, ARealFullFileSystemFailsAsTheSimulatedOne) {
    TempDir dir;
    const SmallFileSystem small(dir.path() / "small");
    if (!small.mounted())
        GTEST_SKIP() << "no file system can be mounted here: " << std::strerror(small.error());
    const std::string path = (dir.path() / "small" / "game.smc").string();
    const std::vector<std::uint8_t> old(1000, 'o');
    writeBytes(path, old);
    const std::vector<std::uint8_t> image(256 * 1024, 0x5A);
    for (const TemporaryFile kind : {TemporaryFile::Unnamed, TemporaryFile::Named}) {
        try {
            writeFileAtomically(path, image, kind);
            ADD_FAILURE() << "256 KiB written into 64 KiB";
        } catch (const FileError& failure) {
            EXPECT_EQ(std::string(failure.what()),
                      "Cannot write \"" + path + "\": No space left on device.");
        }
        EXPECT_EQ(readBytes(path), old);
        EXPECT_EQ(test::fileNames(dir.path() / "small"), std::vector<std::string>{"game.smc"});
    }
    // The space the failed writes took is free again: a file that fits is written.
    const std::vector<std::uint8_t> fits(32 * 1024, 'n');
    writeFileAtomically(path, fits);
    EXPECT_EQ(readBytes(path), fits);
}

// The commands of kvxm2000-cli on a full disk: none claims success, each says which file it
// could not write, and every file stays as it was.
TEST(WriteFaults, CommandsOnAFullDiskSayWhatTheyCouldNotWrite) {
    TempDir dir;
    test::buildNesImage(test::imageStyleTeams(28, 3), GeneralInfoRecord{"1994", 0, 0, "CREDITS"}, 4)
        .save(dir.file("game.nes"));
    std::ostringstream ignored;
    ASSERT_EQ(cli::run({"import", dir.file("game.nes"), dir.file("league.kvx")}, KVX_BIN_DIR,
                       ignored, ignored),
              cli::Success);
    ASSERT_EQ(cli::run({"to-csv", dir.file("league.kvx"), dir.file("league.csv")}, KVX_BIN_DIR,
                       ignored, ignored),
              cli::Success);
    const std::vector<std::string> files = {"game.nes", "league.kvx", "league.csv",
                                            "out.kvx",  "out.csv",    "ratings.html"};
    for (const char* name : {"out.kvx", "out.csv", "ratings.html"})
        writeBytes(dir.file(name), {'o', 'l', 'd'});
    std::vector<std::vector<std::uint8_t>> before;
    for (const auto& name : files)
        before.push_back(readBytes(dir.file(name)));

    const struct {
        std::vector<std::string> args;
        const char* written;
    } commands[] = {
        {{"import", dir.file("game.nes"), dir.file("out.kvx")}, "out.kvx"},
        {{"export", dir.file("league.kvx"), dir.file("game.nes")}, "game.nes"},
        {{"ratings", "--html", dir.file("ratings.html"), dir.file("league.kvx")}, "ratings.html"},
        {{"to-csv", dir.file("league.kvx"), dir.file("out.csv")}, "out.csv"},
        {{"from-csv", dir.file("league.csv"), dir.file("out.kvx")}, "out.kvx"},
    };
    const test::InjectedWriteFailure full;
    for (const auto& command : commands) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(cli::run(command.args, KVX_BIN_DIR, out, err), cli::WriteFailed)
            << command.args[0];
        EXPECT_EQ(out.str(), "") << command.args[0];
        const std::string cause =
            "Cannot write \"" + dir.file(command.written) + "\": No space left on device.\n";
        EXPECT_TRUE(err.str().ends_with(cause)) << err.str();
    }
    for (std::size_t n = 0; n < files.size(); ++n)
        EXPECT_EQ(readBytes(dir.file(files[n])), before[n]) << files[n];
    EXPECT_EQ(test::fileNames(dir.path()).size(), files.size());
}

} // namespace
} // namespace kvx
