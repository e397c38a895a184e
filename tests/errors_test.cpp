#include <gtest/gtest.h>

#include "support/errors.h"

TEST(ExifStrerror, KnownCodesHaveFixedTexts)
{
    EXPECT_STREQ(exif_strerror(0), "No error");
    EXPECT_STREQ(exif_strerror(3), "JPEG file does not contain EXIF data");
    EXPECT_STREQ(exif_strerror(10), "Seek failed while searching for EXIF Marker");
    EXPECT_STREQ(exif_strerror(11), "Error while reading JPEG file");
    EXPECT_STREQ(exif_strerror(20), "Invalid number specified");
}

TEST(ExifStrerror, BuildsTheFieldLimitAndUnknownCodes)
{
    EXPECT_STREQ(exif_strerror(9), "Too many EXIF fields (>200)");
    EXPECT_STREQ(exif_strerror(21), "Unknown EXIF error code 21");
    EXPECT_STREQ(exif_strerror(-1), "Unknown EXIF error code -1");
    EXPECT_STREQ(exif_strerror(-2147483647 - 1), "Unknown EXIF error code -2147483648");
}
