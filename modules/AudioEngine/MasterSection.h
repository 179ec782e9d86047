// The master section window: a top-level window of class "AudioUI" titled "MasterSection"
// that lists the processors, sets the value of the one chosen (typed, or from a preset),
// asks the program to apply the chosen ones (Apply), and meters what the master queue
// plays. It lives on the thread that created it, the program's GUI thread.
#pragma once

#include "AudioEngineCommon/AudioEngineProtocol.h"

#include <cstdint>
#include <string>
#include <vector>

class MasterSection {
public:
    MasterSection(HWND owner, MasterSectionLayout const &layout);
    ~MasterSection();
    MasterSection(MasterSection const &) = delete;
    MasterSection &operator=(MasterSection const &) = delete;

    HWND Window() const { return window_; }
    void Show(bool show);
    bool IsVisible() const;
    // Fills x and y of the layout from where the window stands.
    void StorePosition(MasterSectionLayout &layout) const;
    // The processors selected in the list, in list order.
    std::vector<std::string> SelectedProcessors() const;
    // A preset dialog of the program runs over the window.
    bool IsChoosingPreset() const { return choosingPreset_; }
    // The list again from the element types (a plug-in registered meanwhile).
    void Refill();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void OnCommand(int id, int code);
    // The value row follows the list's focused processor.
    void ShowValueOfCurrent();
    void TakeTypedValue();
    void ChoosePreset();
    std::string CurrentName() const;
    void ReadMeter();
    void PaintMeter(HDC dc);

    HWND window_ = nullptr;
    HWND list_ = nullptr;
    HWND valueLabel_ = nullptr;
    HWND valueEdit_ = nullptr;
    HFONT font_ = nullptr;
    bool choosingPreset_ = false;
    bool filling_ = false;
    float peaks_[2] = {};
};
