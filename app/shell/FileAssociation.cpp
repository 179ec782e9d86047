#include "shell/FileAssociation.h"

namespace {

enum { kLastAssociatingRun = 2, kCommandBuffer = 299 };

char const kOpenCommand[] = "Tessaro.wav\\shell\\open\\command";
char const kClass[] = "Tessaro.wav";

class Key {
public:
    Key() = default;
    ~Key() {
        if (key_)
            RegCloseKey(key_);
    }
    Key(Key const &) = delete;
    Key &operator=(Key const &) = delete;
    HKEY *operator&() { return &key_; }
    operator HKEY() const { return key_; }

private:
    HKEY key_ = nullptr;
};

bool HasOpenCommand(HKEY root) {
    Key command;
    if (RegOpenKeyExA(root, kOpenCommand, 0, KEY_ALL_ACCESS, &command) != ERROR_SUCCESS)
        return false;
    char text[kCommandBuffer] = "";
    DWORD size = sizeof text;
    DWORD type = 0;
    return RegQueryValueExA(command, nullptr, nullptr, &type, reinterpret_cast<BYTE *>(text), &size) ==
               ERROR_SUCCESS &&
           size > 0 && text[0] != 0;
}

}  // namespace

void AssociateWaveFiles(HKEY root, int runs) {
    if (runs > kLastAssociatingRun || !HasOpenCommand(root))
        return;
    Key extension;
    if (RegCreateKeyExA(root, ".wav", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &extension, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(extension, nullptr, 0, REG_SZ, reinterpret_cast<BYTE const *>(kClass), sizeof kClass);
}
