// Tests of the resource archive: name matching, header scanning, extraction and hostile archives.
#include <algorithm>
#include <cstring>

#include "platform/headless/headless.h"
#include "store/archive.h"
#include "store_support.h"
#include "support.h"

namespace {

class ArchiveTest : public GameTest {
  protected:
    // The data of an entry as unlockmemory hands it out, or "<none>".
    std::string memory(const char* name) {
        long size = -1;
        const uint8_t* block = texture_archive.unlockmemory("_data.loc", name, size);
        if (block == nullptr) {
            EXPECT_EQ(size, 0);
            return "<none>";
        }
        return {reinterpret_cast<const char*>(block), static_cast<size_t>(size)};
    }
    // The file unlocksingle writes for an entry, or "<missing>".
    std::string single(const char* name) {
        char buffer[600];
        std::strcpy(buffer, name);
        platform::file_delete("out.txt");
        grid_archive.unlocksingle("_data.loc", buffer, "out.txt");
        return readfile("out.txt");
    }
};

// A 2 x 2 32-bit TGA image, top row first.
std::string tinytga() {
    std::string tga(18, '\0');
    tga[2] = 2;     // uncompressed true colour
    tga[12] = 2;    // width
    tga[14] = 2;    // height
    tga[16] = 32;   // bits per pixel
    tga[17] = 0x28; // eight alpha bits, top-left origin
    for (int i = 0; i < 4; ++i) tga += std::string("\x10\x20\x30\xff", 4);
    return tga;
}

TEST(NormalizeName, LowersCaseAndTurnsSlashes) {
    char name[] = "IMG/Dialogs.TGA";
    normalizename(name);
    EXPECT_STREQ(name, "img\\dialogs.tga");
    char other[] = "Edit\\Emg7.TXT \xc4[]";
    normalizename(other);
    EXPECT_STREQ(other, "edit\\emg7.txt \xc4[]");
    normalizename(nullptr);
}

TEST_F(ArchiveTest, FindsEntriesByNormalisedName) {
    writefile("_data.loc", entry("img\\chrset1.tga", "one") + entry("img\\dialogs.tga", "two") +
                               entry("img\\Upper.tga", "up"));
    EXPECT_EQ(memory("IMG/Dialogs.TGA"), "two");
    EXPECT_EQ(memory("img\\chrset1.tga"), "one");
    EXPECT_EQ(memory("img\\Upper.tga"), "<none>"); // stored with a capital: never found
    EXPECT_EQ(memory("img\\upper.tga"), "<none>");
    EXPECT_EQ(memory("img\\missing.tga"), "<none>");

    const char* request = "IMG/Dialogs.TGA";
    long size;
    texture_archive.unlockmemory("_data.loc", request, size);
    EXPECT_STREQ(request, "IMG/Dialogs.TGA");

    char buffer[] = "IMG/Dialogs.TGA";
    grid_archive.unlocksingle("_data.loc", buffer, "out.txt");
    EXPECT_STREQ(buffer, "img\\dialogs.tga");
    EXPECT_EQ(readfile("out.txt"), "two");
}

TEST_F(ArchiveTest, HeadersSkipControlBytesButKeepSpaces) {
    writefile("_data.loc", "\r\nimg\\a.tga\r\n;\t3\n;abc\r\n\r\n" + entry(" img\\b.tga", "bb") +
                               "\n" + entry("img\\c.tga", "c\n"));
    EXPECT_EQ(memory("img\\a.tga"), "abc");
    EXPECT_EQ(memory("img\\b.tga"), "<none>");
    EXPECT_EQ(memory(" img\\b.tga"), "bb");
    EXPECT_EQ(memory("img\\c.tga"), "c\n");
}

TEST_F(ArchiveTest, ReadHeaderCountsAndStops) {
    writefile("_data.loc", entry("ab", "xyz") + "\n");
    platform::ReadStream* file = platform::stream_open("_data.loc");
    ASSERT_NE(file, nullptr);
    char name[ARCHIVE_NAME_LIMIT + 1];
    long size = 0;
    EXPECT_EQ(readheader(file, name, size), 3); // "ab" and "3"
    EXPECT_STREQ(name, "ab");
    EXPECT_EQ(size, 3);
    EXPECT_EQ(platform::stream_getc(file), 'x');
    platform::stream_seek(file, platform::stream_tell(file) + 2);
    EXPECT_EQ(readheader(file, name, size), 0);
    EXPECT_STREQ(name, "");
    EXPECT_EQ(size, 0);
    platform::stream_close(file);
}

TEST_F(ArchiveTest, SingleExtractionCopiesWholeChunksAndTheRest) {
    std::string big8000(8000, 'x'), big8001(8001, 'y'), big16001(16001, 'z');
    big8000[7999] = 'E';
    big8001[8000] = 'F';
    big16001[16000] = 'G';
    writefile("_data.loc", entry("edit\\empty.txt", "") + entry("edit\\a.txt", big8000) +
                               entry("edit\\b.txt", big8001) + entry("edit\\c.txt", big16001));
    EXPECT_EQ(single("edit\\empty.txt"), "");
    EXPECT_EQ(single("edit\\a.txt"), big8000);
    EXPECT_EQ(single("edit\\b.txt"), big8001);
    EXPECT_EQ(single("edit\\c.txt"), big16001);

    writefile("out.txt", "old");
    char name[] = "edit\\missing.txt";
    grid_archive.unlocksingle("_data.loc", name, "out.txt");
    EXPECT_FALSE(platform::file_exists("out.txt"));
}

TEST_F(ArchiveTest, RefusesToWriteOverTheArchive) {
    const std::string archive = entry("edit\\emg0.txt", "1,2,3,");
    writefile("_data.loc", archive);
    char name[] = "edit\\emg0.txt";
    grid_archive.unlocksingle("_data.loc", name, "_data.loc");
    EXPECT_EQ(readfile("_data.loc"), archive);
    const auto& boxes = platform::headless::message_boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Your Destination file is the loc file.");
    EXPECT_EQ(boxes[0].caption, "unlocksingle().  Error: Loc, Destination file is same!");
    EXPECT_EQ(boxes[0].buttons, platform::MB_OK);
}

TEST_F(ArchiveTest, HostileArchivesEndTheScanCleanly) {
    const std::string good = entry("img\\good.tga", "ok");
    // An entry running past the end of the file is missing, not read past the end.
    writefile("_data.loc", good + "img\\cut.tga;1000;short");
    EXPECT_EQ(memory("img\\good.tga"), "ok");
    EXPECT_EQ(memory("img\\cut.tga"), "<none>");
    EXPECT_EQ(single("img\\cut.tga"), "<missing>");
    writefile("_data.loc", good + "img\\huge.tga;2147483647;x");
    EXPECT_EQ(memory("img\\huge.tga"), "<none>");

    // Headers over their limits, or with sizes outside 0 .. 2^31 - 1, end the scan.
    const std::string after = entry("img\\after.tga", "a");
    for (const std::string& bad :
         {entry(std::string(512, 'n'), "x"), std::string("img\\s.tga;00000000000000000001;x"),
          std::string("img\\s.tga;2147483648;x"), std::string("img\\s.tga;-1;x"),
          std::string("img\\s.tga;12")}) {
        writefile("_data.loc", good + bad + after);
        EXPECT_EQ(memory("img\\good.tga"), "ok");
        EXPECT_EQ(memory("img\\after.tga"), "<none>") << bad.substr(0, 40);
    }
    // The limits themselves are allowed: a 511-character name and a 19-character size text.
    writefile("_data.loc",
              entry(std::string(511, 'n'), "x") + "img\\s.tga;0000000000000000001;y" + after);
    EXPECT_EQ(memory(std::string(511, 'n').c_str()), "x");
    EXPECT_EQ(memory("img\\s.tga"), "y");
    EXPECT_EQ(memory("img\\after.tga"), "a");
    EXPECT_EQ(memory(std::string(600, 'n').c_str()), "<none>");

    platform::file_delete("_data.loc");
    EXPECT_EQ(memory("img\\good.tga"), "<none>");
}

TEST_F(ArchiveTest, LoadsTexturesFromTgaEntries) {
    writefile("_data.loc", entry("img\\tiny.tga", tinytga()) + entry("img\\empty.tga", "") +
                               entry("img\\junk.tga", "not an image"));
    platform::Texture* slot = nullptr;
    EXPECT_EQ(loadtexture("_data.loc", "IMG\\Tiny.tga", &slot), 0);
    ASSERT_NE(slot, nullptr);
    int w = 0, h = 0;
    platform::texture_size(slot, w, h);
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 2);

    platform::Texture* kept = slot;
    EXPECT_LT(loadtexture("_data.loc", "img\\empty.tga", &slot), 0);
    EXPECT_LT(loadtexture("_data.loc", "img\\missing.tga", &slot), 0);
    EXPECT_EQ(slot, kept); // a missing entry leaves the slot as it was
    EXPECT_LT(loadtexture("_data.loc", "img\\junk.tga", &slot), 0);
    EXPECT_EQ(slot, nullptr);
}

TEST_F(ArchiveTest, ImageClaimingMorePixelsThanItsBytesIsRefusedUnread) {
    // 65535 x 65533 pixels of 24 bits, with no pixel data: the decoder would ask for 12.8 GB.
    std::string huge = tinytga().substr(0, 18);
    huge[12] = huge[13] = huge[15] = '\xFF';
    huge[14] = '\xFD';
    huge[16] = 24;
    writefile("_data.loc", entry("img\\huge.tga", huge + "\x83\xF9\x03\x80"));
    platform::headless::record_requests(true);
    platform::Texture* slot = nullptr;
    const long status = loadtexture("_data.loc", "img\\huge.tga", &slot);
    platform::headless::record_requests(false);
    EXPECT_EQ(status, E_FAIL);
    EXPECT_EQ(slot, nullptr);
    EXPECT_LT(platform::headless::largest_request(), size_t{64} << 20);
}

} // namespace
