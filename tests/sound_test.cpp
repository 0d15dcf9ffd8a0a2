// The sound bank: wave files made by sox, refused formats, channels, play and status.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files.h"
#include "platform/headless/headless.h"
#include "sound/dswav.h"
#include "support.h"

namespace hl = platform::headless;

class SoundTest : public GameTest {
  protected:
    // Makes a 0.1 s tone with sox; the arguments give the encoding.
    static void make_wave(const std::string& name, const std::string& format) {
        std::string command = "sox -q -n " + format + " " + name + " synth 0.1 sine 440";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
};

TEST_F(SoundTest, LoadsPcmOfEveryWidthAndChannelCountIntoSuccessiveChannels) {
    make_wave("u8mono.wav", "-r 8000 -b 8 -c 1 -e unsigned-integer");
    make_wave("s16stereo.wav", "-r 44100 -b 16 -c 2 -e signed-integer");
    make_wave("s16mono.wav", "-r 22050 -b 16 -c 1 -e signed-integer");
    make_wave("u8stereo.wav", "-r 11025 -b 8 -c 2 -e unsigned-integer");
    SoundBank bank;
    EXPECT_EQ(bank.loadwav("u8mono.wav"), 0);
    EXPECT_EQ(bank.format.bits_per_sample, 8);
    EXPECT_EQ(bank.format.channels, 1);
    EXPECT_EQ(bank.loadwav("s16stereo.wav"), 1);
    EXPECT_EQ(bank.format.channels, 2);
    EXPECT_EQ(bank.format.samples_per_sec, 44100u);
    EXPECT_EQ(bank.loadwav("s16mono.wav"), 2);
    EXPECT_EQ(bank.loadwav("u8stereo.wav"), 3);
    EXPECT_EQ(bank.loadwav(""), NO_SOUND);
    EXPECT_TRUE(hl::message_boxes().empty());
}

TEST_F(SoundTest, PlayRestartsFromTheStartAndStatusEndsWithTheBuffer) {
    make_wave("tone.wav", "-r 8000 -b 16 -c 1");
    SoundBank bank;
    uint16_t id = bank.loadwav("tone.wav");
    EXPECT_FALSE(bank.isplaying(id));
    bank.play(id, 0, 0);
    EXPECT_TRUE(bank.isplaying(id));
    hl::advance_clock(0.06);
    bank.play(id, 0, -500); // restarts: it now lasts 0.1 s from here
    hl::advance_clock(0.06);
    EXPECT_TRUE(bank.isplaying(id));
    hl::advance_clock(0.05);
    EXPECT_FALSE(bank.isplaying(id));
    ASSERT_EQ(hl::plays().size(), 2u);
    EXPECT_EQ(hl::plays()[1].volume, -500);

    bank.play(id, DSBPLAY_LOOPING, 0);
    hl::advance_clock(5);
    EXPECT_TRUE(bank.isplaying(id));
    EXPECT_EQ(bank.stopall(), 1);
    EXPECT_FALSE(bank.isplaying(id));
}

TEST_F(SoundTest, ChannelsNeverLoadedDoNothing) {
    SoundBank bank;
    EXPECT_FALSE(bank.isplaying(5));
    bank.play(5, 0, 0);
    bank.play(NO_SOUND, 0, 0);
    EXPECT_TRUE(hl::plays().empty());
    EXPECT_EQ(bank.stopall(), 0);
}

using SoundDeathTest = SoundTest;

TEST_F(SoundDeathTest, NonPcmWaveIsRefusedAndEndsTheProgram) {
    make_wave("adpcm.wav", "-r 8000 -c 1 -e ima-adpcm");
    SoundBank bank;
    EXPECT_EXIT(bank.loadwav("adpcm.wav"), testing::ExitedWithCode(255),
                "dswav - loadwav: unloadable: adpcm.wav");
}

TEST_F(SoundDeathTest, MissingOrDamagedFilesAreRefused) {
    make_wave("tone.wav", "-r 8000 -b 16 -c 1");
    std::ifstream in("tone.wav", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The data chunk claims more bytes than the file holds.
    std::string shortened = bytes.substr(0, bytes.size() - 10);
    platform::file_write("short.wav", shortened.data(), shortened.size());
    std::string not_riff = "RIFX" + bytes.substr(4);
    platform::file_write("notriff.wav", not_riff.data(), not_riff.size());
    // A "wave" far larger than any sound effect is refused before it is read.
    std::filesystem::copy_file("tone.wav", "huge.wav");
    std::filesystem::resize_file("huge.wav", std::uintmax_t{256} << 20);
    SoundBank bank;
    EXPECT_EXIT(bank.loadwav("missing.wav"), testing::ExitedWithCode(255),
                "unloadable: missing.wav");
    EXPECT_EXIT(bank.loadwav("huge.wav"), testing::ExitedWithCode(255), "unloadable: huge.wav");
    EXPECT_EXIT(bank.loadwav("short.wav"), testing::ExitedWithCode(255), "unloadable: short.wav");
    EXPECT_EXIT(bank.loadwav("notriff.wav"), testing::ExitedWithCode(255),
                "unloadable: notriff.wav");
}

TEST_F(SoundDeathTest, TheHundredAndFirstLoadFindsNoChannel) {
    make_wave("tone.wav", "-r 8000 -b 8 -c 1");
    SoundBank bank;
    for (int i = 0; i < SOUND_CHANNELS; ++i) ASSERT_EQ(bank.loadwav("tone.wav"), i);
    EXPECT_EXIT(bank.loadwav("tone.wav"), testing::ExitedWithCode(255),
                "game terminating: Max sound channel reached - sound fx can't load");
    EXPECT_EXIT(bank.loadwav("tone.wav"), testing::ExitedWithCode(255), "unloadable: tone.wav");
}

TEST_F(SoundDeathTest, NoDriverOrNoDeviceEndsTheProgram) {
    hl::set_audio_available(false, false);
    EXPECT_EXIT(SoundBank(), testing::ExitedWithCode(255),
                "Vell Racer: unable to find Sound Driver");
    hl::set_audio_available(true, false);
    EXPECT_EXIT(SoundBank(), testing::ExitedWithCode(255),
                "Vell Racer: unable to create direct sound");
}
