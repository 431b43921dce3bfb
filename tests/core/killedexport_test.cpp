#include "document/datafile.h"
#include "rom/commands.h"
#include "support/process.h"
#include "support/snes_image.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <random>

namespace kvx {
namespace {

using Clock = std::chrono::steady_clock;
using test::readBytes;

// What lies in the folder beside the image and the data file.
std::vector<std::string> leftovers(const test::TempDir& dir) {
    std::vector<std::string> names = test::fileNames(dir.path());
    std::erase_if(
        names, [](const std::string& name) { return name == "game.smc" || name == "league.kvx"; });
    return names;
}

bool unnamedFilesWork(const test::TempDir& dir) {
    const int fd = ::open(dir.path().c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0)
        ::close(fd);
    return fd >= 0;
}

// Exports killed with SIGKILL at random moments: afterwards the image is the old one or the new
// one, byte for byte, never a mixture, and at most one temporary file lies beside it (that of
// the killed export, which the next export removes). Where the file system has unnamed
// temporary files, a leftover can only come from the instant between naming the complete file
// and the rename, so it holds the whole new image.
TEST(KilledExport, LeavesTheOldImageOrTheNewOneAndNoStraysThatPileUp) {
    test::TempDir dir;
    const std::string image = dir.file("game.smc");
    const std::string data = dir.file("league.kvx");
    // 2 MB: writing and flushing it takes a while, so that many kills land inside the write.
    const RomImage original = test::buildSnesIIIImage(
        test::snesStyleTeams(32, 41), GeneralInfoRecord{"1996", 0, 0, "ORIGINAL"}, 42);
    original.save(image);
    League league;
    importLeague(original, SnesIII, 0, league);
    league.GeneralInfo.Credits = "KILLED AT RANDOM";
    league.Teams[3].Players[0].LastName = "Interrupted";
    Save_Data_File(league, data);
    const std::vector<std::uint8_t> before = readBytes(image);
    const std::vector<std::string> exportArgs = {"export", data, image};

    // The new image, and how long a whole export takes here.
    std::vector<Clock::duration> runs;
    for (int n = 0; n < 3; ++n) {
        test::writeBytes(image, before);
        const auto start = Clock::now();
        const auto result = test::runProgram(KVX_CLI_PATH, exportArgs);
        runs.push_back(Clock::now() - start);
        ASSERT_EQ(result.exitCode, 0) << result.err;
    }
    std::sort(runs.begin(), runs.end());
    const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(runs[1]);
    const std::vector<std::uint8_t> after = readBytes(image);
    ASSERT_NE(after, before);
    const bool unnamed = unnamedFilesWork(dir);

    std::mt19937 random(20261208);
    std::uniform_int_distribution<long> moment(0, whole.count() * 6 / 5);
    int trials = 0;
    int killed = 0;
    int keptOld = 0;
    int leftBehind = 0;
    const auto deadline = Clock::now() + std::chrono::seconds(15);
    while (trials < 100 || (trials < 300 && Clock::now() < deadline)) {
        ++trials;
        test::writeBytes(image, before);
        const auto result = test::runProgram(KVX_CLI_PATH, exportArgs,
                                             {std::chrono::microseconds(moment(random)), {}});
        killed += result.timedOut;
        ASSERT_TRUE(result.timedOut || result.exitCode == 0) << result.err;

        const std::vector<std::uint8_t> now = readBytes(image);
        ASSERT_TRUE(now == before || now == after) << "trial " << trials << ": a mixed image";
        keptOld += now == before;
        const auto strays = leftovers(dir);
        ASSERT_LE(strays.size(), 1u) << "trial " << trials << ": strays pile up";
        if (!strays.empty()) {
            ++leftBehind;
            EXPECT_TRUE(strays[0].starts_with(".game.smc.kvxtmp-")) << strays[0];
            if (unnamed) {
                EXPECT_EQ(readBytes(dir.file(strays[0])), after) << "an incomplete leftover";
            }
        }
    }
    // Both ends were reached, so the kills fell before, inside and after the write.
    EXPECT_GT(keptOld, 0);
    EXPECT_GT(trials - keptOld, 0);
    EXPECT_GT(killed, 0);

    ASSERT_EQ(test::runProgram(KVX_CLI_PATH, exportArgs).exitCode, 0);
    EXPECT_TRUE(leftovers(dir).empty());
    std::cout << "[ killed   ] " << trials << " exports (" << whole.count() << " us each), "
              << killed << " killed: " << keptOld << " kept the old image, " << trials - keptOld
              << " hold the new one, " << leftBehind
              << " left a complete temporary file, 0 mixed\n";
}

} // namespace
} // namespace kvx
