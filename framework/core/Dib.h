// Device-independent bitmaps held as one packed block of global memory, and
// rows of equally sized images kept side by side in one bitmap.
#pragma once

#include "core/GdiObject.h"

class VELTRANE_API TDib : public TGdiBase {
public:
    // Nested interfaces for readers and writers of DIB files.
    class IFileIn {
    public:
        virtual ~IFileIn() = default;
        virtual bool Read(void *buffer, long size) = 0;
        virtual void Skip(long size) = 0;
    };
    class IFileOut {
    public:
        virtual ~IFileOut() = default;
        virtual bool Write(const void *buffer, long size) = 0;
    };

    TDib(HGLOBAL handle, TAutoDelete autoDelete);
    TDib(const TDib &src);
    TDib(HINSTANCE instance, TResId resId);
    TDib(int width, int height, int numColors, unsigned short mode = DIB_RGB_COLORS);
    explicit TDib(const TBitmap &bitmap, const TPalette *palette = 0);
    ~TDib();
    TDib &operator=(const TDib &) = delete;

    bool IsOK() const { return Info != 0; }
    bool IsPM() const { return false; }
    int Width() const { return Info->bmiHeader.biWidth; }
    // The number of rows; a top-down image has a negative header height.
    int Height() const { return Info->bmiHeader.biHeight < 0 ? -Info->bmiHeader.biHeight : Info->bmiHeader.biHeight; }
    bool IsTopDown() const { return Info->bmiHeader.biHeight < 0; }
    TSize Size() const { return TSize(Width(), Height()); }
    int FlippedY(int y) const { return Height() - y - 1; }
    int BitsPixel() const { return Info->bmiHeader.biBitCount; }
    unsigned long Compression() const { return Info->bmiHeader.biCompression; }
    unsigned long SizeImage() const { return Info->bmiHeader.biSizeImage; }
    long NumColors() const { return NumClrs; }
    unsigned StartScan() const { return 0; }
    unsigned NumScans() const { return unsigned(Height()); }
    long SizeColors() const { return NumClrs * (Mode == DIB_PAL_COLORS ? 2 : 4); }
    unsigned long SizeDib() const;
    unsigned short Usage() const { return Mode; }
    int Pitch() const { return ScanBytes(Width(), BitsPixel()); }
    static int ScanBytes(long width, int bits) { return int(((width * bits + 31) & ~31) / 8); }
    int XOffset(unsigned short x) const { return int(BitsPixel() * x / 8); }
    int YOffset(unsigned short y) const { return Pitch() * y; }
    void *PixelPtr(unsigned short x, unsigned short y) {
        return static_cast<unsigned char *>(Bits) + YOffset(y) + XOffset(x);
    }

    const BITMAPINFO *GetInfo() const { return Info; }
    BITMAPINFO *GetInfo() { return Info; }
    const BITMAPINFOHEADER *GetInfoHeader() const { return &Info->bmiHeader; }
    BITMAPINFOHEADER *GetInfoHeader() { return &Info->bmiHeader; }
    const RGBQUAD *GetColors() const { return Colors; }
    RGBQUAD *GetColors() { return Colors; }
    const unsigned short *GetIndices() const { return reinterpret_cast<const unsigned short *>(Colors); }
    unsigned short *GetIndices() { return reinterpret_cast<unsigned short *>(Colors); }
    const void *GetBits() const { return Bits; }
    void *GetBits() { return Bits; }
    HANDLE GetHandle() const { return Handle; }
    operator HANDLE() const { return Handle; }
    operator const BITMAPINFO *() const { return Info; }
    operator const BITMAPINFOHEADER *() const { return &Info->bmiHeader; }
    bool operator==(const TDib &other) const { return Handle == other.Handle; }

    TColor GetColor(int index) const;
    void SetColor(int index, const TColor &color);
    int FindColor(const TColor &color) const;
    int MapColor(const TColor &fromColor, const TColor &toColor, bool doAll = false);
    unsigned short GetIndex(int entry) const;
    void SetIndex(int entry, unsigned short index);
    int FindIndex(unsigned short index) const;
    int MapIndex(unsigned short fromIndex, unsigned short toIndex, bool doAll = false);

    enum {
        MapFace = 0x01,
        MapText = 0x02,
        MapShadow = 0x04,
        MapHighlight = 0x08,
        MapFrame = 0x10,
    };
    void MapUIColors(unsigned mapColors, const TColor *bkgnd = 0);
    bool ChangeModeToPal(const TPalette &palette);
    bool ChangeModeToRGB(const TPalette &palette);
    bool MapToPalette(const TPalette &palette);

protected:
    TDib();
    void CopyOnWrite();

private:
    // Checks a packed DIB of blockSize bytes and sets the pointers into it.
    void InfoFromBlock(void *block, unsigned long blockSize);
    void AllocateBlock(const BITMAPINFOHEADER &header, long numColors);

    BITMAPINFO *Info;
    DWORD *Mask;
    RGBQUAD *Colors;
    void *Bits;
    long NumClrs;
    unsigned short Mode;
    bool IsResHandle;
};

class VELTRANE_API TCelArray {
public:
    TCelArray(TBitmap *bitmap, int numCels, TSize celSize = TSize(0, 0), TPoint offset = TPoint(0, 0),
              TAutoDelete autoDelete = AutoDelete);
    TCelArray(const TDib &dib, int numCels);
    TCelArray(const TSize &size, unsigned flags, int initCount = 1, int growBy = 1);
    TCelArray(const TCelArray &src);
    TCelArray &operator=(const TCelArray &src);
    virtual ~TCelArray();

    TPoint Offset() const { return Off; }
    void SetOffset(const TPoint &offset) { Off = offset; }
    TSize CelSize() const { return CSize; }
    void SetCelSize(const TSize &size) { CSize = size; }
    int NumCels() const { return NCelsUsed; }
    void SetNumCels(int numCels) { NCels = numCels < 1 ? 1 : numCels; }
    void SetNGrowBy(int growBy) { NGrowBy = growBy; }
    TColor GetBkColor() const { return BkColor; }
    TColor SetBkColor(const TColor &color);
    operator TBitmap &() { return *Bitmap; }
    TPoint CelOffset(int cel) const { return TPoint(Off.x + cel * CSize.cx, Off.y); }
    TRect CelRect(int cel) const;
    TRect operator[](int cel) const { return CelRect(cel); }

    int Add(const TBitmap &image);
    int Add(const TCelArray &src, int index);
    bool Remove(int index);
    bool RemoveAll() { return Remove(-1); }
    bool Replace(int index, const TBitmap &image);
    bool BitBlt(int index, TDC &dc, int x, int y);
    bool BitBlt(int index, TDC &dc, int x, int y, int dx, int dy, const TColor &bgClr, const TColor &fgClr);

private:
    bool MaybeResize(int need);
    bool Resize(int numCels);

    TBitmap *Bitmap;
    bool ShouldDelete;
    TPoint Off;
    int NCels;
    TSize CSize;
    int NGrowBy;
    TColor BkColor;
    int NCelsUsed;
};
