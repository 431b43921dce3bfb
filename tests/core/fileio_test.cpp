#include "base/error.h"
#include "base/fileio.h"
#include "support/temp_dir.h"
#include "support/write_faults.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fcntl.h>
#include <new>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kvx {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

const std::vector<std::uint8_t> NewBytes = {'n', 'e', 'w'};

constexpr TemporaryFile BothWays[] = {TemporaryFile::Unnamed, TemporaryFile::Named};

TEST(FileIo, ReplacesTheFileAChainOfLinksLeadsTo) {
    for (const TemporaryFile way : BothWays) {
        TempDir dir;
        std::filesystem::create_directory(dir.file("roms"));
        const std::string image = dir.file("roms/game.bin");
        writeBytes(image, {'o', 'l', 'd'});
        ::chmod(image.c_str(), 0640);
        std::filesystem::create_symlink("roms/game.bin", dir.file("first"));
        std::filesystem::create_symlink(dir.file("first"), dir.file("second"));

        writeFileAtomically(dir.file("second"), NewBytes, way);
        EXPECT_EQ(readBytes(image), NewBytes);
        EXPECT_TRUE(std::filesystem::is_symlink(dir.file("first")));
        EXPECT_TRUE(std::filesystem::is_symlink(dir.file("second")));
        struct stat info {};
        ::stat(image.c_str(), &info);
        EXPECT_EQ(info.st_mode & 0777, 0640u);
        EXPECT_EQ(test::fileNames(dir.file("roms")), std::vector<std::string>{"game.bin"});
    }
}

// Each durable step failing in turn, both kinds of temporary file: the message says which step
// failed, nothing is left beside the file, and until the rename has put the new file in place the
// old one stays byte for byte. Recorded, the steps come in the only order that makes a
// replacement durable: the bytes, their flush, the rename, the flush of the rename.
TEST(FileIo, EveryDurableStepCanFailAndTheStepsComeInOrder) {
    using enum WriteStep;
    const std::vector<WriteStep> order = {Write, FlushFile, Rename, FlushFolder};
    const struct {
        WriteStep step;
        std::string message; // after the file's name
        bool replaced;
    } failures[] = {
        {Write, "\": Input/output error.", false},
        {FlushFile, "\": the new file could not be flushed to the disk: Input/output error.",
         false},
        {Rename, "\": the new file could not take its place: Input/output error.", false},
        {FlushFolder,
         "\" was written, but its folder could not be flushed to the disk: "
         "Input/output error.",
         true},
    };
    const std::vector<std::uint8_t> old = {'o', 'l', 'd'};
    for (const TemporaryFile way : BothWays) {
        for (const auto& failure : failures) {
            TempDir dir;
            const std::string path = dir.file("game.bin");
            writeBytes(path, old);
            const test::InjectedWriteFailure seam(EIO, failure.step);
            try {
                writeFileAtomically(path, NewBytes, way);
                ADD_FAILURE() << "no failure at step " << static_cast<int>(failure.step);
            } catch (const WriteError& error) {
                const std::string expected =
                    (failure.replaced ? "\"" : "Cannot write \"") + path + failure.message;
                EXPECT_EQ(std::string(error.what()), expected);
            }
            const auto taken = static_cast<std::ptrdiff_t>(failure.step) + 1;
            EXPECT_EQ(seam.steps(), std::vector<WriteStep>(order.begin(), order.begin() + taken));
            EXPECT_EQ(readBytes(path), failure.replaced ? NewBytes : old);
            EXPECT_EQ(test::fileNames(dir.path()), std::vector<std::string>{"game.bin"});
        }
        TempDir dir;
        const test::RecordedWriteSteps recorded;
        writeFileAtomically(dir.file("game.bin"), NewBytes, way);
        EXPECT_EQ(recorded.steps(), order);
        EXPECT_EQ(readBytes(dir.file("game.bin")), NewBytes);
    }
}

// The kernel's limit on links in a row as a pair: a chain of 40 leads to the file, 41 are refused
// and the file stays as it was.
TEST(FileIo, FollowsAsManyLinksAsTheKernelAndNoMore) {
    TempDir dir;
    const std::string image = dir.file("game.bin");
    writeBytes(image, {'o', 'l', 'd'});
    std::string link = "game.bin";
    for (int n = 1; n <= 41; ++n) {
        std::filesystem::create_symlink(link, dir.file("link" + std::to_string(n)));
        link = "link" + std::to_string(n);
    }
    EXPECT_THROW(writeFileAtomically(dir.file("link41"), NewBytes), FileError);
    EXPECT_EQ(readBytes(image), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
    writeFileAtomically(dir.file("link40"), NewBytes);
    EXPECT_EQ(readBytes(image), NewBytes);
}

TEST(FileIo, RefusesWhatItMayNotOrCannotReplace) {
    TempDir dir;
    const std::string readOnly = dir.file("read-only.kvx");
    writeBytes(readOnly, {'o', 'l', 'd'});
    ::chmod(readOnly.c_str(), 0444);
    const std::string fifo = dir.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(dir.file("folder"));

    for (const std::string& path : {readOnly, fifo, dir.file("folder")})
        EXPECT_THROW(writeFileAtomically(path, NewBytes), FileError) << path;
    EXPECT_EQ(readBytes(readOnly), (std::vector<std::uint8_t>{'o', 'l', 'd'}));

    // Another user's file that only its owner may write, in a folder anyone may write: the rename
    // would replace it all the same, so it is refused. Only root can set this up.
    if (::geteuid() == 0) {
        const std::string theirs = dir.file("theirs.kvx");
        writeBytes(theirs, {'o', 'l', 'd'});
        ::chmod(theirs.c_str(), 0644);
        ::chmod(dir.path().c_str(), 0777);
        const pid_t child = ::fork();
        if (child == 0) {
            bool refused = false;
            if (::setgid(65534) == 0 && ::setuid(65534) == 0) {
                try {
                    writeFileAtomically(theirs, NewBytes);
                } catch (const FileError& error) {
                    refused = std::string(error.what()).ends_with("the file is read-only.");
                }
            }
            ::_exit(refused ? 0 : 1);
        }
        int status = -1;
        ::waitpid(child, &status, 0);
        ::chmod(dir.path().c_str(), 0700);
        EXPECT_EQ(status, 0) << "another user's file was not refused";
        EXPECT_EQ(readBytes(theirs), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
        std::filesystem::remove(theirs);
    }
    EXPECT_EQ(test::fileNames(dir.path()),
              (std::vector<std::string>{"fifo", "folder", "read-only.kvx"}));
    EXPECT_THROW(readFile(dir.file("folder"), 100), FileError);
    for (const std::string& path : {fifo, dir.file("folder")})
        EXPECT_THROW(FileLock{path}, FileError) << path;
    // A buffer so large that rounding it up to whole pages would wrap around is refused.
    EXPECT_THROW(allocateFileBuffer(SIZE_MAX - 1), std::bad_alloc);
}

TEST(FileIo, WritesAFileWhoseNameTakesTheWholeLimit) {
    for (const TemporaryFile way : BothWays) {
        TempDir dir;
        const std::string path = dir.file(std::string(255, 'n'));
        writeFileAtomically(path, std::vector<std::uint8_t>{'o', 'l', 'd', '!'}, way);
        writeFileAtomically(path, NewBytes, way);
        EXPECT_EQ(readFile(path, 3).size(), 3u);
        EXPECT_EQ(readBytes(path), NewBytes);
        EXPECT_THROW(readFile(path, 2), FileTooLarge);
        EXPECT_EQ(test::fileNames(dir.path()).size(), 1u);
    }
}

TEST(FileIo, AWriteRemovesWhatAKilledWriteOfTheSameFileLeftBehind) {
    TempDir dir;
    const std::string stray = dir.file(".game.bin.kvxtmp-0123abcd");
    const std::string inUse = dir.file(".game.bin.kvxtmp-89abcdef");
    const std::string otherFiles = dir.file(".other.bin.kvxtmp-0123abcd");
    for (const std::string& path : {stray, inUse, otherFiles})
        writeBytes(path, {'x'});
    // A write still in progress holds a lock on its temporary file.
    const int held = ::open(inUse.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    writeFileAtomically(dir.file("game.bin"), NewBytes, TemporaryFile::Named);
    ::close(held);
    EXPECT_EQ(test::fileNames(dir.path()),
              (std::vector<std::string>{".game.bin.kvxtmp-89abcdef", ".other.bin.kvxtmp-0123abcd",
                                        "game.bin"}));
}

// A file that another program writes or replaces after it was read is not replaced, even when
// that happens while the new bytes are being written: the other program's bytes stay.
TEST(FileIo, ReplacesOnlyTheFileThatWasRead) {
    for (const TemporaryFile way : BothWays) {
        TempDir dir;
        const std::string path = dir.file("game.nes");
        writeBytes(path, {'o', 'l', 'd'});
        const auto read = fileIdentity(path);
        ASSERT_TRUE(read);
        const auto theirs = [&] { writeBytes(path, {'t', 'h', 'e', 'i', 'r', 's'}); };
        const ByteProducer mine = [](const ByteSink& sink) { sink(NewBytes); };

        // Written in place while this write was under way.
        const ByteProducer meanwhile = [&](const ByteSink& sink) {
            sink(NewBytes);
            theirs();
        };
        EXPECT_THROW(writeFileAtomically(path, meanwhile, read, way), FileChanged);
        EXPECT_EQ(readBytes(path), (std::vector<std::uint8_t>{'t', 'h', 'e', 'i', 'r', 's'}));
        // Replaced by another file before this write began.
        const auto second = fileIdentity(path);
        writeFileAtomically(path, std::vector<std::uint8_t>{'o', 't', 'h', 'e', 'r', 's'});
        EXPECT_THROW(writeFileAtomically(path, mine, second, way), FileChanged);
        EXPECT_EQ(readBytes(path), (std::vector<std::uint8_t>{'o', 't', 'h', 'e', 'r', 's'}));
        EXPECT_EQ(test::fileNames(dir.path()), std::vector<std::string>{"game.nes"});

        writeFileAtomically(path, mine, fileIdentity(path), way);
        EXPECT_EQ(readBytes(path), NewBytes);
    }
}

} // namespace
} // namespace kvx
