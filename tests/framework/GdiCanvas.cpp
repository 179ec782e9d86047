#include "tests/framework/GdiCanvas.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <vector>

bool Canvas::Save(const std::string &path) const {
    int pitch = (Width * 3 + 3) & ~3;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = Width;
    header.biHeight = Height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = pitch * Height;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::vector<unsigned char> rows(header.biSizeImage);
    for (int y = 0; y < Height; ++y) {
        unsigned char *row = &rows[(Height - 1 - y) * pitch];
        for (int x = 0; x < Width; ++x) {
            COLORREF c = At(x, y);
            row[3 * x] = GetBValue(c), row[3 * x + 1] = GetGValue(c), row[3 * x + 2] = GetRValue(c);
        }
    }
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(&file, sizeof file, 1, f) == 1 && std::fwrite(&header, sizeof header, 1, f) == 1 &&
              std::fwrite(rows.data(), rows.size(), 1, f) == 1;
    return std::fclose(f) == 0 && ok;
}

std::string ProgramFolder() { return testsupport::ProgramFolder() + "\\"; }
