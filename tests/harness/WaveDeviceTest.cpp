// The wave devices reach ALSA's file plugin: what is played appears sample for
// sample in the playback file, and what is in the capture file comes back
// through wave-in.
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

namespace {

const int kRate = 44100;

WAVEFORMATEX StereoPcm16() {
    WAVEFORMATEX fmt = {};
    fmt.wFormatTag = WAVE_FORMAT_PCM;
    fmt.nChannels = 2;
    fmt.nSamplesPerSec = kRate;
    fmt.wBitsPerSample = 16;
    fmt.nBlockAlign = 4;
    fmt.nAvgBytesPerSec = kRate * 4;
    return fmt;
}

// A known, non-periodic signal: each channel a different ramp pattern.
std::vector<int16_t> Signal(int frames, int seed) {
    std::vector<int16_t> s(frames * 2);
    for (int i = 0; i < frames; ++i) {
        s[2 * i] = static_cast<int16_t>((i * 37 + seed) % 30011 - 15000);
        s[2 * i + 1] = static_cast<int16_t>(-((i * 53 + seed) % 28001) + 14000);
    }
    return s;
}

std::string AudioFile(char const *name) {
    std::string dir = testsupport::Env("TESSARO_AUDIO_DIR");
    // the folder is a Unix path; Z: is the whole Unix file system
    std::string path = "Z:" + dir + "/" + name;
    for (char &c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// Index of needle inside hay (16-bit words), or -1.
long FindRun(std::vector<int16_t> const &hay, std::vector<int16_t> const &needle, size_t len) {
    if (hay.size() < len)
        return -1;
    for (size_t i = 0; i + len <= hay.size(); ++i)
        if (std::memcmp(&hay[i], needle.data(), len * 2) == 0)
            return static_cast<long>(i);
    return -1;
}

}  // namespace

TEST(Harness, WaveOutPlaysIntoTheAlsaFile) {
    ASSERT_FALSE(testsupport::Env("TESSARO_AUDIO_DIR").empty());
    std::vector<int16_t> signal = Signal(kRate, 11);
    WAVEFORMATEX fmt = StereoPcm16();
    HANDLE done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HWAVEOUT out;
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutOpen(&out, WAVE_MAPPER, &fmt, reinterpret_cast<DWORD_PTR>(done), 0,
                                            CALLBACK_EVENT));
    WAVEHDR hdr = {};
    hdr.lpData = reinterpret_cast<LPSTR>(signal.data());
    hdr.dwBufferLength = static_cast<DWORD>(signal.size() * 2);
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutPrepareHeader(out, &hdr, sizeof hdr));
    ASSERT_EQ(MMSYSERR_NOERROR, waveOutWrite(out, &hdr, sizeof hdr));
    DWORD start = GetTickCount();
    while (!(hdr.dwFlags & WHDR_DONE) && GetTickCount() - start < 10000)
        WaitForSingleObject(done, 100);
    ASSERT_TRUE(hdr.dwFlags & WHDR_DONE);
    Sleep(300);  // the device drains its last period into the file
    waveOutUnprepareHeader(out, &hdr, sizeof hdr);
    waveOutClose(out);
    CloseHandle(done);

    std::string bytes = testsupport::ReadBytes(AudioFile("playback.raw"));
    std::vector<int16_t> played(bytes.size() / 2);
    std::memcpy(played.data(), bytes.data(), played.size() * 2);
    // The device may pad with silence before and after; the signal itself is
    // there whole, in order.
    long at = FindRun(played, signal, 64);
    ASSERT_GE(at, 0) << "signal start not found in " << played.size() << " samples";
    ASSERT_LE(at + signal.size(), played.size());
    EXPECT_EQ(0, std::memcmp(&played[at], signal.data(), signal.size() * 2));
}

TEST(Harness, WaveInRecordsFromTheAlsaFile) {
    std::vector<int16_t> source = Signal(3 * kRate, 5);
    std::string bytes(reinterpret_cast<char const *>(source.data()), source.size() * 2);
    testsupport::WriteBytes(AudioFile("capture.raw"), bytes);

    WAVEFORMATEX fmt = StereoPcm16();
    HANDLE done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HWAVEIN in;
    ASSERT_EQ(MMSYSERR_NOERROR, waveInOpen(&in, WAVE_MAPPER, &fmt, reinterpret_cast<DWORD_PTR>(done), 0,
                                           CALLBACK_EVENT));
    std::vector<int16_t> recorded(kRate);  // half a second
    WAVEHDR hdr = {};
    hdr.lpData = reinterpret_cast<LPSTR>(recorded.data());
    hdr.dwBufferLength = static_cast<DWORD>(recorded.size() * 2);
    ASSERT_EQ(MMSYSERR_NOERROR, waveInPrepareHeader(in, &hdr, sizeof hdr));
    ASSERT_EQ(MMSYSERR_NOERROR, waveInAddBuffer(in, &hdr, sizeof hdr));
    ASSERT_EQ(MMSYSERR_NOERROR, waveInStart(in));
    DWORD start = GetTickCount();
    while (!(hdr.dwFlags & WHDR_DONE) && GetTickCount() - start < 10000)
        WaitForSingleObject(done, 100);
    ASSERT_TRUE(hdr.dwFlags & WHDR_DONE);
    waveInStop(in);
    waveInReset(in);
    waveInUnprepareHeader(in, &hdr, sizeof hdr);
    waveInClose(in);
    CloseHandle(done);

    ASSERT_EQ(recorded.size() * 2, hdr.dwBytesRecorded);
    // The test device has no clock of its own: the system reads the file
    // ahead and skips what overflows, so the recording is a sequence of runs of
    // the file, in order, each whole frames.
    size_t pos = 0, from = 0;
    int runs = 0;
    while (pos < recorded.size()) {
        std::vector<int16_t> rest(recorded.begin() + pos, recorded.end());
        std::vector<int16_t> tail(source.begin() + from, source.end());
        long at = FindRun(tail, rest, std::min<size_t>(64, rest.size()));
        ASSERT_GE(at, 0) << "samples from " << pos << " on are not the file's next samples";
        ASSERT_EQ(0, at % 2) << "run not aligned to a frame";
        size_t n = 0;
        while (n < rest.size() && at + n < tail.size() && rest[n] == tail[at + n])
            ++n;
        pos += n;
        from += at + n;
        ++runs;
    }
    EXPECT_LT(runs, 64);
}
