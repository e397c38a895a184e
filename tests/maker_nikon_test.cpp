// Nikon maker notes read back from built files in both byte orders, and the
// maker notes of the real Nikon E950, E990 and Canon EOS D30 photos.
#include <gtest/gtest.h>

#include <unistd.h>

#include "formatter_window.h"

using namespace readback;

namespace {

const camera e950{"NIKON", "E950", nikon_header()}, e990{"NIKON", "E990"}, d1x{"NIKON CORPORATION", "NIKON D1X"};

class NikonNotes : public testing::TestWithParam<ByteOrder> {};

TEST_P(NikonNotes, DecodedValuesAndFallbacks)
{
    expect_texts(
        GetParam(),
        {
            {{shorts(0x0003, {6})}, "SXGA Fine", {&e950}},  // the E950 settings share one lookup
            {{shorts(0x0003, {7})}, "Unknown value 7", {&e950}},
            {{rationals(0x000a, {{3, 2}})}, "1.5x", {&e950}},
            {{rationals(0x000a, {{5, 0}})}, "5/0", {&e950}},  // without denominator: the stored fraction
            {{shorts(0x0002, {0, 100})}, "100", {&e990}},     // ISO: the second number alone when the first is 0
            {{shorts(0x0002, {1, 100})}, "1,100", {&e990}},
            {{rationals(0x0085, {{25, 10}})}, "2.5", {&e990}},
            {{rationals(0x0085, {{0, 0}})}, "0.0", {&e990}},
            {{rationals(0x0086, {{3, 2}})}, "1.5x", {&e990}},
            {{rationals(0x0086, {{7, 0}})}, "0.0", {&e990}},
            {{undefined(0x0088, {0, 2, 0, 0})}, "Bottom", {&e990}},  // bytes in stored order, whatever the file's
            {{undefined(0x0088, {0, 7, 0, 0})}, "Unknown value 7", {&e990}},
            {{undefined(0x0088, {1, 2, 0, 0})}, "1,2,0,0", {&e990}},
            {{shorts(0x0002, {0, 200})}, "0 200", {&d1x}},  // the D1X note is shown plainly
        });
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, NikonNotes, both_orders(), order_name);

TEST(CameraSamples, MakerNotesListDecodedValuesUnderTheirHeadings)
{
    const std::string samples = std::string(TAGSIFT_SOURCE_DIR) + "/../shared/samples";
    if (access(samples.c_str(), R_OK) != 0)
        GTEST_SKIP() << "no sample folder";
    auto line = [](std::string label, const std::string &value) {
        return "  " + label.append(25 - label.size(), ' ') + ": " + value + "\n";
    };
    const std::string more(29, ' ');  // continuation lines stand under the value
    // Values checked against the stored numbers (-u) and exiftool's reading.
    const std::vector<std::string> e950_lines = {
        line("Quality", "Unknown value 12"), line("Colour Mode", "Colour"), line("Image Adjustment", "Contrast+"),
        line("CCD Sensitivity", "ISO 80"),   line("White Balance", "Auto"), line("Digital Zoom", "0.0x"),
        line("Lens Converter", "None")};
    const struct {
        const char *file, *heading;
        std::vector<std::string> lines;
    } files[] = {
        {"/exiv2/exiv2-nikon-e950.jpg", "Maker Note (Nikon models up to E950)", e950_lines},
        {"/exif-samples/jpg_exif-org/nikon-e950.jpg", "Maker Note (Nikon models up to E950)", e950_lines},
        {"/exiv2/exiv2-nikon-e990.jpg",
         "Maker Note (Nikon model E990 and above)",
         {line("ISO Setting", "0"), line("Quality", "FINE  "), line("Manual Focus Distance", "0.0"),
          line("Digital Zoom", "1.0x"), line("AF Focus Position", "Left")}},
        {"/exiv2/exiv2-canon-eos-d30.jpg",
         "Maker Note (Canon PowerShot)",
         {line("Settings 1", "Macro Mode     : Normal"), more + "Focus Mode     : AIservo\n",
          more + "AF Point       : Auto\n", more + "Exposure Mode  : AvPriority\n", more + "Flash          : None \n",
          line("Settings 4", "White Balance  : Sunny"), more + "Flash Bias     : 0.00EV\n",
          line("Image Number", "889-8982"), line("Camera Body Number", "093107059"),
          line("Custom Functions", "Long Exp. Noise Reduction: Off"),
          more + "SET ButtonFunc when Shoot: Not Assigned\n"}},
    };
    for (const auto &f : files) {
        cli_result r = run_tagsift({samples + f.file});
        EXPECT_EQ(r.status, 0) << f.file;
        EXPECT_EQ(r.err, "") << f.file;
        size_t at = r.out.find("\n" + std::string(f.heading) + "\n");
        ASSERT_NE(at, std::string::npos) << r.out;
        for (const std::string &l : f.lines)
            EXPECT_NE(r.out.find(l, at), std::string::npos) << l << "\n" << r.out;
    }
}

}  // namespace
