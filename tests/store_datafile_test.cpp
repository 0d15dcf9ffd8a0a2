// Tests of the scrambled data files: round trips, the check, the temporaries and safe replacement.
#include <csignal>
#include <cstring>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

#include "store/datafile.h"
#include "store_support.h"
#include "support.h"

namespace {

std::vector<uint8_t> bytesof(const std::string& text) {
    return {text.begin(), text.end()};
}

// The offset in a stored file of the low byte of the word carrying content byte i.
size_t contentword(size_t i) {
    return 15 + 2 * (12 + i);
}

class DataFileTest : public GameTest {};

TEST(EndAroundSum, FoldsCarriesBackIn) {
    auto sum = [](const std::string& s) {
        return endaroundsum(reinterpret_cast<const uint8_t*>(s.data()), s.size());
    };
    EXPECT_EQ(sum(""), 0);
    EXPECT_EQ(sum("abc"), 39);
    EXPECT_EQ(sum("scores.txt"), 33);
    EXPECT_EQ(sum("\xff\x01"), 1);     // 256 folds to 0 + 1
    EXPECT_EQ(sum("\xff\xff"), 255);   // 510 folds to 254 + 1
    EXPECT_EQ(sum("a\xff"), sum("a")); // a 255 after a non-zero byte goes unnoticed
}

TEST(LockBytes, RoundTripsEveryLengthAndByte) {
    std::mt19937 random(7);
    std::vector<uint8_t> content;
    for (size_t length = 0; length <= 600; ++length) {
        const std::vector<uint8_t> stored = lockbytes("edit\\settings86.txt", content);
        ASSERT_EQ(stored.size(), 15 + 2 * (12 + length));
        ASSERT_EQ(std::memcmp(stored.data(), "encryption v2.0", 15), 0);
        std::vector<uint8_t> plain;
        ASSERT_TRUE(unlockbytes("edit\\settings86.txt", stored, plain)) << length;
        ASSERT_EQ(plain, content) << length;
        content.push_back(length % 3 == 0 ? 0 : length % 3 == 1 ? 255 : random() & 255);
    }
}

TEST(LockBytes, IsTiedToThePathString) {
    const std::vector<uint8_t> content = bytesof("Ada\r\n1200\r\nBob\r\n900\r\n");
    std::vector<uint8_t> plain;
    const bool ok = unlockbytes("scores.txt", lockbytes("writting.txt", content), plain);
    EXPECT_FALSE(ok && plain == content);
    EXPECT_NE(lockbytes("edit\\a.txt", content), lockbytes("edit/a.txt", content));
}

TEST(LockBytes, LocksOnlyOnce) {
    const std::vector<uint8_t> stored = lockbytes("scores.txt", bytesof("abc"));
    EXPECT_EQ(lockbytes("scores.txt", stored), stored);
    // Content that already carries the checked layer gets no second one.
    std::vector<uint8_t> inner = bytesof("version 2.0");
    inner.push_back(39);
    for (char c : std::string("abc")) inner.push_back(static_cast<uint8_t>(c));
    EXPECT_EQ(lockbytes("scores.txt", inner), stored);
}

TEST(UnlockBytes, RejectsBrokenCheckedLayers) {
    std::vector<uint8_t> plain;
    EXPECT_FALSE(unlockbytes("x", bytesof("version 2.0"), plain)); // no checksum byte
    EXPECT_FALSE(unlockbytes("x", bytesof("version 2.0\x01"), plain));
    ASSERT_TRUE(unlockbytes("x", bytesof(std::string("version 2.0\x00", 12)), plain));
    EXPECT_TRUE(plain.empty());
    // A stored file cut to an odd length decodes its last byte alone without reading past it.
    std::vector<uint8_t> stored = lockbytes("x", bytesof("hello"));
    stored.pop_back();
    unlockbytes("x", stored, plain);
}

// Files locked in place and unlocked again, from the empty file (39 bytes stored) up.
TEST_F(DataFileTest, LockThenUnlockFiles) {
    platform::make_directory("edit");
    for (size_t length : {0, 1, 1025}) {
        std::string content(length, '\0');
        for (size_t i = 0; i < length; ++i) content[i] = static_cast<char>(i * 37 % 256);
        writefile("edit\\Ada.txt", content);
        lockfile("edit\\Ada.txt");
        EXPECT_EQ(readfile("edit\\Ada.txt").size(), 39 + 2 * length);
        EXPECT_TRUE(platform::file_exists("dummy"));
        char path[100] = "edit\\Ada.txt";
        ASSERT_TRUE(unlockfile(path)) << length;
        EXPECT_STREQ(path, "ready");
        EXPECT_EQ(readfile(path), content) << length;
        clearunlocked();
    }
}

TEST_F(DataFileTest, PlainFilesPassThrough) {
    const std::string text = "0\r\n1\r\nnot scrambled\r\n";
    writefile("edit_thame.txt", text);
    char path[100] = "edit_thame.txt";
    ASSERT_TRUE(unlockfile(path));
    EXPECT_STREQ(path, "ready");
    EXPECT_EQ(readfile("ready"), text);
    EXPECT_EQ(readfile("edit_thame.txt"), text);
}

TEST_F(DataFileTest, ChangedLowByteFailsTheCheckButHighByteDoesNot) {
    writefile("settings.txt", "100\r\n200\r\n");
    lockfile("settings.txt");
    clearunlocked();
    const std::string stored = readfile("settings.txt");

    std::string low = stored;
    low[contentword(0)] = static_cast<char>(low[contentword(0)] + 1);
    writefile("settings.txt", low);
    char path[100] = "settings.txt";
    EXPECT_FALSE(unlockfile(path));
    EXPECT_STREQ(path, "settings.txt");
    EXPECT_FALSE(platform::file_exists("ready"));

    std::string high = stored;
    high[contentword(0) + 1] = static_cast<char>(high[contentword(0) + 1] + 1);
    writefile("settings.txt", high);
    ASSERT_TRUE(unlockfile(path));
    EXPECT_EQ(readfile("ready"), "100\r\n200\r\n");
}

TEST_F(DataFileTest, MissingFilesAreLeftAlone) {
    lockfile("nothing.txt");
    EXPECT_FALSE(platform::file_exists("nothing.txt"));
    char path[100] = "nothing.txt";
    EXPECT_FALSE(unlockfile(path));
    EXPECT_STREQ(path, "nothing.txt");
    std::string content = "stale";
    EXPECT_FALSE(readdatafile("nothing.txt", content));
    EXPECT_EQ(content, "");
}

TEST_F(DataFileTest, ClearUnlockedRemovesReadOnlyTemporaries) {
    writefile("dummy", "d");
    writefile("ready", "r");
    platform::file_set_readonly("dummy");
    platform::file_set_readonly("ready");
    clearunlocked();
    EXPECT_FALSE(platform::file_exists("dummy"));
    EXPECT_FALSE(platform::file_exists("ready"));
    clearunlocked(); // nothing there: no harm
}

TEST_F(DataFileTest, RecipesRoundTripAndLeaveNoTemporaries) {
    platform::make_directory("edit");
    const std::string text("3\r\n7\r\n\x00\xff\r\n", 10);
    ASSERT_TRUE(writedatafile("edit\\settings86.txt", text));
    const std::vector<uint8_t> stored = lockbytes("edit\\settings86.txt", bytesof(text));
    EXPECT_EQ(readfile("edit\\settings86.txt"), std::string(stored.begin(), stored.end()));
    std::string read;
    ASSERT_TRUE(readdatafile("edit\\settings86.txt", read));
    EXPECT_EQ(read, text);
    for (const char* temp : {"dummy", "ready", "edit\\settings86.txt.new"})
        EXPECT_FALSE(platform::file_exists(temp)) << temp;

    // A file that fails its check reads as no data, and the temporaries still go.
    std::string broken = readfile("edit\\settings86.txt");
    broken[contentword(1)] ^= 1;
    writefile("edit\\settings86.txt", broken);
    EXPECT_FALSE(readdatafile("edit\\settings86.txt", read));
    EXPECT_FALSE(platform::file_exists("dummy"));
}

TEST_F(DataFileTest, ContentThatBeginsLikeAHeaderReadsBackUnchanged) {
    // A player named "version 2.0" (eleven characters, as the name dialog allows) at the top of
    // the players file, or a name that begins like the outer header.
    for (const std::string text : {"version 2.0,120,3,\r\nBob,80,2,\r\n",
                                   "encryption v2.0,1,1,\r\n", "version 2.0", "encryption v2.0"}) {
        ASSERT_TRUE(writedatafile("scores.txt", text));
        std::string read;
        EXPECT_TRUE(readdatafile("scores.txt", read)) << text;
        EXPECT_EQ(read, text);
    }
}

TEST_F(DataFileTest, WriterKeepsDamagedFiles) {
    ASSERT_TRUE(writedatafile("scores.txt", "first\r\n"));
    std::string broken = readfile("scores.txt");
    broken[contentword(0)] ^= 4;
    writefile("scores.txt", broken);
    ASSERT_TRUE(writedatafile("scores.txt", "second\r\n"));
    EXPECT_EQ(readfile("scores.txt.damaged"), broken);

    writefile("scores.txt", broken + "x");
    ASSERT_TRUE(writedatafile("scores.txt", "third\r\n"));
    EXPECT_EQ(readfile("scores.txt.damaged"), broken);
    EXPECT_EQ(readfile("scores.txt.damaged2"), broken + "x");

    // Sound files and plain files are replaced without a copy.
    ASSERT_TRUE(writedatafile("scores.txt", "fourth\r\n"));
    writefile("plain.txt", "plain");
    ASSERT_TRUE(writedatafile("plain.txt", "now stored"));
    EXPECT_FALSE(platform::file_exists("scores.txt.damaged3"));
    EXPECT_FALSE(platform::file_exists("plain.txt.damaged"));
    std::string read;
    ASSERT_TRUE(readdatafile("scores.txt", read));
    EXPECT_EQ(read, "fourth\r\n");
}

TEST_F(DataFileTest, WriterLeavesADamagedFileItCannotKeep) {
    ASSERT_TRUE(writedatafile("scores.txt", "first\r\n"));
    std::string broken = readfile("scores.txt");
    broken[contentword(0)] ^= 4;
    writefile("scores.txt", broken);
    writefile("scores.txt.damaged", "older");
    for (int number = 2; number < 1000; ++number)
        writefile(("scores.txt.damaged" + std::to_string(number)).c_str(), "older");
    EXPECT_FALSE(writedatafile("scores.txt", "second\r\n"));
    EXPECT_EQ(readfile("scores.txt"), broken);
    EXPECT_EQ(readfile("scores.txt.damaged999"), "older");
    EXPECT_FALSE(platform::file_exists("scores.txt.damaged1000"));
}

// A writer killed at any moment leaves the old file or the new one, whole and readable.
TEST_F(DataFileTest, KilledWriterLeavesOldOrNewFile) {
    const std::string contents[2] = {std::string(3000, 'a'), std::string(5000, 'b')};
    ASSERT_TRUE(writedatafile("scores.txt", contents[0]));
    std::mt19937 random(3);
    for (int round = 0; round < 25; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) writedatafile("scores.txt", contents[i % 2]);
        }
        usleep(static_cast<useconds_t>(200 + random() % 3000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        std::string read;
        ASSERT_TRUE(readdatafile("scores.txt", read)) << round;
        EXPECT_TRUE(read == contents[0] || read == contents[1]) << round;
        EXPECT_FALSE(platform::file_exists("scores.txt.damaged")) << round;
    }
}

} // namespace
