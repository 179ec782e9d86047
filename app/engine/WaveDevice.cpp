#include "engine/WaveDevice.h"

#include "audio/SamplePattern.h"
#include "foundation/Exception.h"
#include "malvane/Malvane.h"

namespace {

enum { kPollMs = 10, kReturnLimitMs = 3000 };

}  // namespace

WAVEFORMATEX PcmFormat(SamplePattern const &pattern) {
    WAVEFORMATEX format = {};
    int bytes = pattern.GetBytesPerSample();
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = WORD(pattern.GetNumChannels());
    format.nSamplesPerSec = pattern.GetRate();
    format.wBitsPerSample = WORD(8 * bytes);  // 20-bit samples travel left-justified in 24
    format.nBlockAlign = WORD(bytes * format.nChannels);
    format.nAvgBytesPerSec = format.nBlockAlign * format.nSamplesPerSec;
    return format;
}

// ---- DeviceBuffers

bool DeviceBuffers::Allocate(int count, int size) {
    Free();
    headers_ = static_cast<WAVEHDR *>(heap_.AllocMem(unsigned(count) * sizeof(WAVEHDR)));
    if (!headers_)
        return false;
    data_ = static_cast<char *>(VirtualAlloc(nullptr, SIZE_T(count) * SIZE_T(size), MEM_COMMIT | MEM_RESERVE,
                                             PAGE_READWRITE | PAGE_NOCACHE));
    if (!data_) {
        Free();
        return false;
    }
    count_ = count;
    for (int i = 0; i < count; ++i) {
        headers_[i] = WAVEHDR();
        headers_[i].lpData = data_ + ptrdiff_t(i) * size;
        headers_[i].dwBufferLength = DWORD(size);
    }
    return true;
}

void DeviceBuffers::Free() {
    if (data_)
        VirtualFree(data_, 0, MEM_RELEASE);
    NH_Heap::FreeMem(headers_);
    data_ = nullptr;
    headers_ = nullptr;
    count_ = 0;
}

int DeviceBuffers::IndexOf(WAVEHDR const *header) const {
    if (!headers_ || header < headers_ || header >= headers_ + count_)
        return -1;
    return int(header - headers_);
}

DWORD_PTR DeviceBuffers::GetUser(WAVEHDR const &header) {
    return DWORD_PTR(InterlockedCompareExchangePointer(
        reinterpret_cast<PVOID volatile *>(const_cast<DWORD_PTR *>(&header.dwUser)), nullptr, nullptr));
}

void DeviceBuffers::SetUser(WAVEHDR &header, DWORD_PTR value) {
    InterlockedExchangePointer(reinterpret_cast<PVOID volatile *>(&header.dwUser), reinterpret_cast<PVOID>(value));
}

// ---- DeviceThread

void DeviceThread::Start() {
    Run(this, THREAD_PRIORITY_ABOVE_NORMAL);
    ready_.WaitForIt(INFINITE);
}

void DeviceThread::End() {
    SetPriority(THREAD_PRIORITY_ABOVE_NORMAL);
    ::PostThreadMessageA(GetThreadId(), WM_QUIT, 0, 0);
    WaitForEnd();
}

bool DeviceThread::WaitForReturn(std::atomic<int32_t> const &queued) {
    DWORD start = GetTickCount();
    while (queued > 0) {
        if (GetTickCount() - start >= kReturnLimitMs)
            return false;
        Sleep(kPollMs);
    }
    return true;
}

void DeviceThread::SetDeviceOpen(bool open) {
    SetPriority(open ? THREAD_PRIORITY_ABOVE_NORMAL : THREAD_PRIORITY_IDLE);
}

unsigned long DeviceThread::MainLoop() {
    SetPriority(THREAD_PRIORITY_IDLE);
    window_ = CreateWindowA("STATIC", GetName(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ready_.SetTrue();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message != notice_) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        // Nothing unwinds into the message loop: the failure is reported, the loop goes on.
        try {
            OnDeviceNotice(msg.wParam, msg.lParam);
        } catch (...) {
            PostCurrentFailure();
        }
    }
    DestroyWindow(window_);
    return 0;
}
