// The CD library's start and stop and its table of SCSI units: the library linked to this
// program as the system sees it, and copies of it beside settings files of their own.
#include "brastow/Brastow.h"
#include "brastow/ScsiScan.h"
#include "tests/support/TestSupport.h"

#include <windows.h>
#include <winioctl.h>
#include <ntddscsi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using testsupport::TempDir;

// A copy of the library in a folder of its own, with a settings file beside it.
class LibraryCopy {
public:
    explicit LibraryCopy(std::string const &settings) {
        char linked[MAX_PATH];
        GetModuleFileNameA(GetModuleHandleA("Brastow.dll"), linked, MAX_PATH);
        std::string copy = dir_.File("Brastow.dll");
        CopyFileA(linked, copy.c_str(), FALSE);
        if (!settings.empty())
            testsupport::WriteBytes(dir_.File("Brastow.ini"), settings);
        module_ = LoadLibraryA(copy.c_str());
        Init = reinterpret_cast<decltype(Init)>(GetProcAddress(module_, "CDR_Init"));
        Terminate = reinterpret_cast<decltype(Terminate)>(GetProcAddress(module_, "CDR_Terminate"));
        End = reinterpret_cast<decltype(End)>(GetProcAddress(module_, "CDR_End"));
        Units = reinterpret_cast<decltype(Units)>(GetProcAddress(module_, "GetConnectedScsiUnits"));
    }
    ~LibraryCopy() { FreeLibrary(module_); }
    bool Loaded() const { return module_ && Init && Terminate && End && Units; }
    int Count(int capacity = 50) {
        std::vector<BrastowScsiUnit> units(50);
        return Units(units.data(), capacity);
    }

    decltype(&CDR_Init) Init = nullptr;
    decltype(&CDR_Terminate) Terminate = nullptr;
    decltype(&CDR_End) End = nullptr;
    decltype(&GetConnectedScsiUnits) Units = nullptr;

private:
    TempDir dir_;
    HMODULE module_ = nullptr;
};

char const kThreeUnits[] =
    "[SimulatedUnits]\n"
    "1=PLEXTOR |CD-R   PX-W1210A|1|2\n"
    "2=TOOLONGVENDOR|A PRODUCT NAME THAT IS LONG|0|5|1|4\n"
    "3=AKAI    |S6000 SAMPLER   |2|6|0|3\n";

}  // namespace

// Start, stop and end in every order, with each kind of configuration.
TEST(Brastow, StartsStopsAndEndsInAnyOrder) {
    struct Case {
        char const *settings;
        int started;  // what CDR_Init answers
        int units;    // listed while started
    } const cases[] = {
        {"", BRASTOW_STARTED, 0},  // the system's units: Wine has no SCSI ports
        {"[Brastow]\nRefuse=1\n", BRASTOW_REFUSED, 0},
        {"[Brastow]\nRefuse=0\n", BRASTOW_STARTED, 0},
        {kThreeUnits, BRASTOW_STARTED, 3},
        {"[Brastow]\nRefuse=1\n[SimulatedUnits]\n1=A|B|0|1\n", BRASTOW_REFUSED, 0},
        {"[SimulatedUnits]\n1=only|three|fields\n2=A|B|x|1\n3=A|B|0|1|2|3|4\n4=OK|unit|3|4\n", BRASTOW_STARTED, 1},
    };
    for (Case const &c : cases) {
        SCOPED_TRACE(c.settings);
        LibraryCopy library(c.settings);
        ASSERT_TRUE(library.Loaded());
        library.End();  // never started: nothing happens
        library.Terminate();
        EXPECT_EQ(0, library.Count());
        EXPECT_EQ(c.started, library.Init());
        EXPECT_EQ(c.started, library.Init());
        EXPECT_EQ(c.units, library.Count());
        library.Terminate();
        library.Terminate();
        EXPECT_EQ(0, library.Count());
        library.End();
        library.End();
        EXPECT_EQ(0, library.Count());
        EXPECT_EQ(c.started, library.Init());  // started again after the end
        EXPECT_EQ(c.units, library.Count());
        library.End();
    }
}

TEST(Brastow, FillsNoMoreThanTheCapacity) {
    LibraryCopy library(kThreeUnits);
    ASSERT_TRUE(library.Loaded());
    ASSERT_EQ(BRASTOW_STARTED, library.Init());
    struct Case {
        int capacity, filled;
    } const cases[] = {{-1, 0}, {0, 0}, {1, 1}, {2, 2}, {3, 3}, {5, 3}};
    for (Case const &c : cases) {
        BrastowScsiUnit units[6];
        std::memset(units, 0xAB, sizeof units);
        EXPECT_EQ(c.filled, library.Units(units, c.capacity)) << c.capacity;
        unsigned char const *bytes = reinterpret_cast<unsigned char const *>(units);
        for (std::size_t i = c.filled * sizeof *units; i < sizeof units; ++i)
            ASSERT_EQ(0xAB, bytes[i]) << "capacity " << c.capacity << " byte " << i;
    }
    EXPECT_EQ(0, library.Units(nullptr, 3));

    BrastowScsiUnit units[3];
    ASSERT_EQ(3, library.Units(units, 3));
    struct Unit {
        char const *vendor, *product;
        int adapter, target, lun, type;
    } const expected[] = {
        {"PLEXTOR ", "CD-R   PX-W1210A", 1, 2, 0, 5},
        {"TOOLONGV", "A PRODUCT NAME T", 0, 5, 1, 4},
        {"AKAI    ", "S6000 SAMPLER   ", 2, 6, 0, 3},
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_STREQ(expected[i].vendor, units[i].vendor);
        EXPECT_STREQ(expected[i].product, units[i].product);
        EXPECT_EQ(expected[i].adapter, units[i].adapter);
        EXPECT_EQ(expected[i].target, units[i].target);
        EXPECT_EQ(expected[i].lun, units[i].lun);
        EXPECT_EQ(expected[i].type, units[i].deviceType);
    }
    library.End();
}

// The library this program links: the system's units, of which Wine has none.
TEST(Brastow, LinkedLibraryListsTheSystemsUnits) {
    CDR_End();
    EXPECT_EQ(BRASTOW_STARTED, CDR_Init());
    BrastowScsiUnit units[4];
    EXPECT_EQ(0, GetConnectedScsiUnits(units, 4));
    CDR_Terminate();
    CDR_End();
}

// A port's inquiry answer: two buses, the second's chain running out of the answer.
TEST(Brastow, ReadsInquiryAnswersWithinTheirBounds) {
    std::vector<unsigned char> answer(256, 0);
    std::size_t const bytes = 200;  // what the port answered; the rest is room for the test
    answer[0] = 2;                  // buses
    auto bus = [&](int n, unsigned char units, ULONG offset) {
        SCSI_BUS_DATA data = {units, 7, offset};
        std::memcpy(&answer[offsetof(SCSI_ADAPTER_BUS_INFO, BusData) + n * sizeof data], &data, sizeof data);
    };
    auto unit = [&](ULONG at, UCHAR target, ULONG next, char const *vendorAndProduct) {
        SCSI_INQUIRY_DATA data = {0, target, 0, FALSE, 36, next, {0}};
        std::memcpy(&answer[at], &data, offsetof(SCSI_INQUIRY_DATA, InquiryData));
        unsigned char *inquiry = &answer[at + offsetof(SCSI_INQUIRY_DATA, InquiryData)];
        inquiry[0] = 5;
        std::memcpy(inquiry + 8, vendorAndProduct, 24);
    };
    bus(0, 2, 40);
    bus(1, 1, 160);
    unit(40, 3, 90, "VENDOR1 PRODUCT ONE     ");
    unit(90, 4, 40, "VENDOR2 PRODUCT TWO     ");  // points back: the chain ends
    unit(160, 5, 0, "VENDOR3 CUT OFF         ");  // its inquiry runs past the answer's end
    std::vector<BrastowScsiUnit> units;
    brastow::AppendInquiryUnits(3, answer.data(), bytes, units);
    ASSERT_EQ(2u, units.size());
    EXPECT_STREQ("VENDOR1 ", units[0].vendor);
    EXPECT_STREQ("PRODUCT ONE     ", units[0].product);
    EXPECT_EQ(3, units[0].adapter);
    EXPECT_EQ(3, units[0].target);
    EXPECT_EQ(5, units[0].deviceType);
    EXPECT_EQ(4, units[1].target);
    units.clear();
    brastow::AppendInquiryUnits(0, answer.data(), 3, units);  // cut inside the bus table
    EXPECT_TRUE(units.empty());
}
