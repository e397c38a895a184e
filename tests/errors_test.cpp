#include <gtest/gtest.h>

#include "support/errors.h"

TEST(ExifStrerror, FixedTextsTheFieldLimitAndUnknownCodes)
{
    // clang-format off
    const std::pair<int32_t, const char *> cases[] = {
        {0, "No error"}, {3, "JPEG file does not contain EXIF data"}, {9, "Too many EXIF fields (>200)"},
        {20, "Invalid number specified"}, {21, "File does not contain EXIF data"}, {22, "Unknown EXIF error code 22"}, {-1, "Unknown EXIF error code -1"},
        {-2147483647 - 1, "Unknown EXIF error code -2147483648"},
    };
    // clang-format on
    for (const auto &[code, text] : cases)
        EXPECT_STREQ(exif_strerror(code), text);
}
