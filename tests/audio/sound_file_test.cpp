// Sound files from a hostile file system: only a regular file holding 16-bit
// mono PCM at 44.1 kHz, of a size the game can use, loads.
#include "audio/sound_file.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <sys/stat.h>

namespace {

std::string littleEndian(uint32_t value, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; i++)
        s += char(value >> (8 * i));
    return s;
}

// A canonical WAV file holding `samples` copies of the sample 1234.
std::string wav(uint32_t samples, int channels = 1, uint32_t rate = SOUND_RATE, int bits = 16) {
    const uint32_t bytes = samples * channels * bits / 8;
    std::string data;
    for (uint32_t i = 0; i < bytes / 2; i++)
        data += littleEndian(1234, 2);
    return "RIFF" + littleEndian(36 + bytes, 4) + "WAVEfmt " + littleEndian(16, 4) +
           littleEndian(1, 2) + littleEndian(channels, 2) + littleEndian(rate, 4) +
           littleEndian(rate * channels * bits / 8, 4) + littleEndian(channels * bits / 8, 2) +
           littleEndian(bits, 2) + "data" + littleEndian(bytes, 4) + data;
}

} // namespace

TEST(SoundFile, OnlyRegularMonoSixteenBitFilesOfAUsableLengthLoad) {
    TempFolder folder;
    folder.writeFile("good.wav", wav(300));
    const SoundSamples good = readSoundFile(AT_FDCWD, "good.wav");
    ASSERT_EQ(good.length, 300u);
    EXPECT_EQ(good.data[299], 1234);
    delete[] good.data; // the game keeps its sounds until exit

    ASSERT_EQ(mkfifo("fifo.wav", 0644), 0); // would block a plain open for ever
    ASSERT_EQ(mkdir("folder.wav", 0755), 0);
    folder.writeFile("empty.wav", "");
    folder.writeFile("stereo.wav", wav(300, 2));
    folder.writeFile("eight-bit.wav", wav(300, 1, SOUND_RATE, 8));
    folder.writeFile("slow.wav", wav(300, 1, 22050));
    folder.writeFile("long.wav", wav(MAX_SOUND_SAMPLES + 1));
    folder.writeFile("truncated.wav", wav(300).substr(0, 64));
    for (const char* bad : {"missing.wav", "fifo.wav", "folder.wav", "empty.wav", "stereo.wav",
                            "eight-bit.wav", "slow.wav", "long.wav", "truncated.wav"})
        EXPECT_EQ(readSoundFile(AT_FDCWD, bad).data, nullptr) << bad;
}
