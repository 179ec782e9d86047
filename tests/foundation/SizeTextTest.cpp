#include <gtest/gtest.h>

#include "foundation/StringUtils.h"
#include "foundation/Strings.h"

namespace {

TEST(SizeText, DecimalUnitsAtTheirBoundaries) {
    struct { unsigned long bytes; char const *text; } cases[] = {
        {0, "0 B"},           {999, "999 B"},         {1000, "1 kB"},
        {999999, "999 kB"},   {1000000, "1.0 MB"},    {1500000, "1.5 MB"},
        {1999999, "1.9 MB"},  // truncated, not rounded
        {4294967295UL, "4294.9 MB"},
    };
    for (auto const &c : cases) {
        EXPECT_STREQ(c.text, GetStringFileSize(c.bytes).c_str()) << c.bytes;
        char buffer[kFileSizeTextSize];
        GetStringFileSize(c.bytes, buffer);
        EXPECT_STREQ(c.text, buffer) << c.bytes;
    }
}

TEST(SizeText, BinaryUnitsAtTheirBoundaries) {
    struct { double bytes; char const *text; } cases[] = {
        {0, "0.00 B"},           {1023, "1023.00 B"},          {1024, "1.00 KB"},
        {1536, "1.50 KB"},       {1048576, "1.00 MB"},         {1073741823, "1024.00 MB"},
        {1073741824, "1.00 GB"}, {5.5 * 1073741824, "5.50 GB"},
    };
    for (auto const &c : cases)
        EXPECT_STREQ(c.text, ByteSizeToString(c.bytes).c_str()) << c.bytes;
}

}  // namespace
