// Help: the help file of the language, the table of "system\helpcmd.bin" that gives
// windows and controls their topics, pop-up topics placed away from the mouse, the tips
// of the day, and the about box.
#include "manager/DocumentManager.h"

#include "core/FrameWindow.h"
#include "controls/AboutDialog.h"
#include "controls/Dialog.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// One of the help file's pop-up windows: column a and row b of a grid over a screen of
// 1024 by 1024.
struct HelpSpot {
    int a, b, x, y, w, h;
};

HelpSpot const kHelpSpots[] = {
    {0, 0, 0, 0, 400, 200},     {1, 0, 214, 0, 400, 200},     {2, 0, 428, 0, 400, 200},     {3, 0, 600, 0, 424, 200},
    {0, 1, 0, 220, 400, 200},   {1, 1, 214, 220, 400, 200},   {2, 1, 428, 220, 400, 200},   {3, 1, 600, 220, 424, 200},
    {0, 2, 0, 420, 400, 200},   {1, 2, 214, 420, 400, 200},   {2, 2, 428, 420, 400, 200},   {3, 2, 600, 420, 424, 200},
    {0, 3, 0, 620, 400, 200},   {1, 3, 214, 620, 400, 200},   {2, 3, 428, 620, 400, 200},   {3, 3, 600, 620, 424, 200},
    {0, 4, 0, 800, 400, 224},   {1, 4, 214, 800, 400, 224},   {2, 4, 428, 800, 400, 224},   {3, 4, 600, 800, 424, 224},
    {-1, -1, 0, 0, 0, 0}};

bool Inside(HelpSpot const &s, int x, int y) { return x >= s.x && x < s.x + s.w && y >= s.y && y < s.y + s.h; }

bool Overlaps(HelpSpot const &s, int l, int t, int r, int b) {
    return s.x < r && l < s.x + s.w && s.y < b && t < s.y + s.h;
}

HelpSpot const *SpotAt(int x, int y) {
    for (HelpSpot const *s = kHelpSpots; s->a >= 0; ++s)
        if (Inside(*s, x, y))
            return s;
    return 0;
}

// The spot nearest to the one under the mouse (fewest steps, then the straightest) that
// keeps clear of the mouse; the one under the mouse when none within two steps does.
HelpSpot const *NearestClearSpot(HelpSpot const *under, int x, int y) {
    int a = under ? under->a : 0, b = under ? under->b : 0;
    HelpSpot const *best = 0;
    int bestDist = 0, bestSkew = 0;
    for (HelpSpot const *s = kHelpSpots; s->a >= 0; ++s) {
        int da = std::abs(s->a - a), db = std::abs(s->b - b);
        if (s == under || da > 2 || db > 2 || Overlaps(*s, x - 40, y - 40, x + 40, y + 40))
            continue;
        int dist = da + db, skew = std::abs(da - db);
        if (!best || dist < bestDist || (dist == bestDist && skew < bestSkew)) {
            best = s;
            bestDist = dist;
            bestSkew = skew;
            if (dist == 1)
                break;
        }
    }
    return best ? best : under;
}

// The help file's window for a pop-up topic: tips have their own, others stand beside the mouse.
void PopupWindowName(unsigned long data, char (&name)[32]) {
    if (data >= 100000) {
        std::strcpy(name, "TipDay");
        return;
    }
    POINT p;
    ::GetCursorPos(&p);
    int sw = std::max(1, ::GetSystemMetrics(SM_CXSCREEN)), sh = std::max(1, ::GetSystemMetrics(SM_CYSCREEN));
    int x = p.x * 1024 / sw, y = p.y * 1024 / sh;
    HelpSpot const *spot = NearestClearSpot(SpotAt(x, y), x, y);
    std::sprintf(name, "Popup%d%d", spot ? spot->a : 0, spot ? spot->b : 0);
}

bool ReadHelpRecord(HANDLE file, HelpCommand &c) {
    unsigned char record[8];
    DWORD read = 0;
    if (!::ReadFile(file, record, 8, &read, 0) || read != 8)
        return false;
    c.windowId = static_cast<short>(record[0] | record[1] << 8);
    c.controlId = static_cast<short>(record[2] | record[3] << 8);
    c.context = record[4] | record[5] << 8 | record[6] << 16 | (unsigned long)record[7] << 24;
    return true;
}

std::string ReadWholeFile(FileName const &file) {
    HANDLE h = ::CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
    if (h == INVALID_HANDLE_VALUE)
        return std::string();
    DWORD size = ::GetFileSize(h, 0);
    std::string text(size == INVALID_FILE_SIZE ? 0 : size, '\0');
    DWORD read = 0;
    if (!text.empty())
        ::ReadFile(h, &text[0], size, &read, 0);
    ::CloseHandle(h);
    text.resize(read);
    return text;
}

}  // namespace

FileName DocumentManager::GetHelpFileName() {
    static FileName name;
    if (name.IsEmpty()) {
        String base(GetName());
        char const *suffix = _language == 7 ? "_German" : _language == 12 ? "_French" : "_English";
        name = FileName::CreateApplicationRelative(base + suffix + ".hlp");
        if (!File::Exist(name))
            name = FileName::CreateApplicationRelative(base + "_English.hlp");
        if (!File::Exist(name))
            name = FileName::CreateApplicationRelative(base + ".hlp");
    }
    return name;
}

void DocumentManager::LoadHelpTable() {
    if (helpTable_)
        return;
    FileName file = FileName::CreateApplicationRelative(String("system\\helpcmd.bin"));
    HANDLE h = ::CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
    if (h == INVALID_HANDLE_VALUE)
        return;
    DWORD size = ::GetFileSize(h, 0);
    int count = size == INVALID_FILE_SIZE ? 0 : static_cast<int>(size / 8);
    helpTable_ = new HelpCommand[count ? count : 1];
    helpCount_ = 0;
    while (helpCount_ < count && ReadHelpRecord(h, helpTable_[helpCount_]))
        ++helpCount_;
    ::CloseHandle(h);
}

void DocumentManager::FreeHelpTable() {
    delete[] helpTable_;
    helpTable_ = 0;
    helpCount_ = 0;
}

HelpCommand const *DocumentManager::FindHelpCommand(int windowId, int controlId) {
    LoadHelpTable();
    for (int i = 0; i < helpCount_; ++i)
        if (helpTable_[i].windowId == windowId && helpTable_[i].controlId == controlId)
            return &helpTable_[i];
    return 0;
}

// Counts the tips in the help file's contents file.
unsigned DocumentManager::FindNumTipOfTheDay() {
    FileName file(GetHelpFileName());
    long dot = file.FindLast('.');
    if (dot >= 0)
        file.KeepLeft(dot);
    file += ".cnt";
    std::string text = ReadWholeFile(file);
    unsigned count = 0;
    for (size_t at = text.find("IDH_TIP"); at != std::string::npos; at = text.find("IDH_TIP", at + 7))
        ++count;
    return count;
}

void DocumentManager::OpenHelpWindow(unsigned command, unsigned long data) {
    OpenHelpWindow(frame_ ? frame_->GetHandle() : 0, command, data);
}

void DocumentManager::OpenHelpWindow(HWND window, unsigned command, unsigned long data) {
    String file(GetHelpFileName());
    if (command != HELP_CONTEXTPOPUP) {
        ::WinHelpA(window, file.c_str(), command, data);
        return;
    }
    char windowName[32];
    PopupWindowName(data, windowName);
    for (unsigned long i = 0; i < file.GetLength(); ++i)
        if (file[i] == '\\')
            file.SetChar(i, '/');
    char macro[600];
    std::snprintf(macro, sizeof macro, "JumpContext(\"%s>%s\",%lu)", file.c_str(), windowName, data);
    ::WinHelpA(window, file.c_str(), HELP_COMMAND, reinterpret_cast<ULONG_PTR>(macro));
}

void DocumentManager::DoWindowHelp(HWND window) {
    HelpInfo info;
    info.cbSize = sizeof(HELPINFO);
    info.iContextType = -2;
    info.iCtrlId = 0;
    info.hItemHandle = window;
    info.dwContextId = 0;
    ::GetCursorPos(&info.MousePos);
    DoHelp(&info);
}

void DocumentManager::DoHelp(HELPINFO *info) {
    if (!info)
        return;
    int kind = info->iContextType;
    int id = 0;
    int control = info->iCtrlId;
    if (kind == -3 || kind == -4) {
        id = static_cast<HelpInfo const *>(info)->explicitId;
    } else if (kind < 0 || kind == HELPINFO_WINDOW) {
        TWindow *w = HelpTopicWindow(*info);
        if (!w)
            return;
        id = w->GetId();
    }
    HelpCommand const *record = FindHelpCommand(id, control);
    if ((::GetKeyState(VK_CONTROL) & 0x8000) && (::GetKeyState(VK_SHIFT) & 0x8000))
        return;
    if (id == 0 && control == 0)
        OpenHelpWindow(HELP_FINDER, 0);
    else if (record)
        OpenHelpWindow(kind == -2 || kind == -3 ? HELP_CONTEXT : HELP_CONTEXTPOPUP, record->context);
}

// A control of a dialog names its topic by the dialog's identifier.
TWindow *DocumentManager::HelpTopicWindow(HELPINFO const &info) {
    if (!MainWindow)
        return 0;
    HWND item = static_cast<HWND>(info.hItemHandle);
    TWindow *w = 0;
    if (info.iCtrlId)
        w = dynamic_cast<Dialog *>(MainWindow->GetWindowPtr(::GetParent(item)));
    return w ? w : MainWindow->GetWindowPtr(item);
}

void DocumentManager::CmAboutDialog() { AboutDialog(frame_, aboutDialogId_, 21000, 0).Execute(); }
