// What the wave-out player and the wave-in recorder share: the thread that receives a
// device's completion notices through a hidden window, the device buffers (headers from
// the audio heap, sample memory in one uncached block), and the device format.
#pragma once

#include "foundation/CriticalSection.h"
#include "foundation/Thread.h"
#include "foundation/ThreadEvent.h"

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdint>

class NH_Heap;
class SamplePattern;

// The PCM format of a pattern: its channels, rate and sample width, interleaved.
WAVEFORMATEX PcmFormat(SamplePattern const &pattern);

// count headers over count x size bytes. A header's user word is the owner's; it is
// changed with atomic exchanges because both the writer and the device thread change it.
class DeviceBuffers {
public:
    explicit DeviceBuffers(NH_Heap &heap) : heap_(heap) {}
    ~DeviceBuffers() { Free(); }
    DeviceBuffers(DeviceBuffers const &) = delete;
    DeviceBuffers &operator=(DeviceBuffers const &) = delete;

    // Zeroed headers, each over its size bytes; false when the memory is not there.
    bool Allocate(int count, int size);
    void Free();

    int GetCount() const { return count_; }
    WAVEHDR &operator[](int index) const { return headers_[index]; }
    // The index of a header of these buffers, -1 for any other (a notice that outlived
    // its buffers).
    int IndexOf(WAVEHDR const *header) const;

    static DWORD_PTR GetUser(WAVEHDR const &header);
    static void SetUser(WAVEHDR &header, DWORD_PTR value);

private:
    NH_Heap &heap_;
    WAVEHDR *headers_ = nullptr;
    char *data_ = nullptr;
    int count_ = 0;
};

// The calls that differ between the two kinds of device.
template <class Handle>
struct WaveDeviceCalls {
    MMRESULT(WINAPI *reset)(Handle);
    MMRESULT(WINAPI *unprepare)(Handle, LPWAVEHDR, UINT);
    MMRESULT(WINAPI *close)(Handle);
};

// A thread that makes a hidden "STATIC" window (the device's callback window) and hands
// each device notice of one message number to OnDeviceNotice. It idles at the lowest
// priority and runs above normal while its device is open.
class DeviceThread : public Thread {
public:
    HWND GetWindow() const { return window_; }

protected:
    DeviceThread(char const *name, UINT notice) : Thread(name), notice_(notice) {}
    // The derived constructor starts the thread once it stands; its destructor ends it.
    void Start();
    void End();
    void SetDeviceOpen(bool open);
    // Resets the device and waits until its buffers came back (polls of 10 ms, at most 3 s,
    // then once more after another reset), unprepares any whose notice never came, closes
    // the device and frees the buffers. The caller holds no device lock.
    template <class Handle>
    void CloseDevice(Handle device, WaveDeviceCalls<Handle> const &calls, CriticalSection const &deviceLock,
                     std::atomic<int32_t> &queued, DeviceBuffers &buffers) {
        auto reset = [&] {
            AutoCriticalSection lock(deviceLock);
            calls.reset(device);
        };
        reset();
        if (!WaitForReturn(queued)) {
            reset();
            WaitForReturn(queued);
        }
        AutoCriticalSection lock(deviceLock);
        for (int i = 0; i < buffers.GetCount(); ++i)
            if (buffers[i].dwFlags & WHDR_PREPARED)
                calls.unprepare(device, &buffers[i], sizeof(WAVEHDR));
        if (calls.close(device) != MMSYSERR_NOERROR) {
            calls.reset(device);
            calls.close(device);
        }
        queued = 0;
        buffers.Free();
        SetDeviceOpen(false);
    }

    // Polls every 10 ms until the queued buffers came back; false after 3 s.
    static bool WaitForReturn(std::atomic<int32_t> const &queued);

    // On the device thread, with the notice's parameters (device handle, header).
    virtual void OnDeviceNotice(WPARAM device, LPARAM header) = 0;
    unsigned long MainLoop() override;

private:
    UINT notice_;
    HWND window_ = nullptr;
    ThreadEvent ready_{/*initialState=*/0, /*autoReset=*/0};
};
