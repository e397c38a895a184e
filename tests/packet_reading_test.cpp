// With -e, the XMP packets and IPTC records of every container are found,
// parsed and listed (groups "XMP", "XMP (sidecar)", "IPTC") and give the
// fields of -f; hostile packets end with a warning that names the file while
// the rest of the file is still listed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "fixture/container_builder.h"
#include "fixture/jpeg_builder.h"
#include "harness/cli_runner.h"

using namespace fixture;

namespace {

const std::string rdf_open =
    "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">";
const std::string rdf_close = "</rdf:RDF></x:xmpmeta>";

// A packet of one rdf:Description with these attributes and child elements.
std::string packet(const std::string &attributes, const std::string &elements = "")
{
    return "<?xpacket begin=\"\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>" + rdf_open +
           "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\""
           " xmlns:xap=\"http://ns.adobe.com/xap/1.0/\" " +
           attributes + ">" + elements + "</rdf:Description>" + rdf_close + "<?xpacket end=\"w\"?>";
}

std::string titled(const std::string &title)
{
    return packet("xap:Rating=\"4\"",
                  "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">" + title + "</rdf:li></rdf:Alt></dc:title>");
}

Bytes bytes_of_text(const std::string &text) { return Bytes(text.begin(), text.end()); }

Segment app1_xmp(const std::string &xmp)
{
    Bytes data = bytes_of_text(std::string("http://ns.adobe.com/xap/1.0/") + '\0');
    data.insert(data.end(), xmp.begin(), xmp.end());
    return Segment{.marker = 0xFFE1, .data = data};
}

// An extended-XMP part: signature, GUID, full length, offset, the part.
Segment app1_extended(const std::string &whole, std::size_t from, std::size_t n)
{
    Bytes data = bytes_of_text(std::string("http://ns.adobe.com/xmp/extension/") + '\0');
    const std::string guid(32, 'A');
    data.insert(data.end(), guid.begin(), guid.end());
    for (std::uint32_t v : {static_cast<std::uint32_t>(whole.size()), static_cast<std::uint32_t>(from)})
        for (int shift = 24; shift >= 0; shift -= 8)
            data.push_back(static_cast<std::uint8_t>(v >> shift));
    data.insert(data.end(), whole.begin() + static_cast<long>(from), whole.begin() + static_cast<long>(from + n));
    return Segment{.marker = 0xFFE1, .data = data};
}

// IIM datasets: 0x1C, record, dataset, 2-byte length, data.
Bytes iptc(const std::vector<std::pair<std::pair<int, int>, std::string>> &datasets)
{
    Bytes out;
    for (const auto &[number, text] : datasets) {
        out.insert(out.end(), {0x1C, static_cast<std::uint8_t>(number.first), static_cast<std::uint8_t>(number.second),
                               static_cast<std::uint8_t>(text.size() >> 8), static_cast<std::uint8_t>(text.size())});
        out.insert(out.end(), text.begin(), text.end());
    }
    return out;
}

// APP13 "Photoshop 3.0" holding resource 0x0404 with the datasets.
Segment app13_iptc(const Bytes &datasets)
{
    Bytes data = bytes_of_text(std::string("Photoshop 3.0") + '\0');
    const Bytes head = {'8', 'B', 'I', 'M', 0x04, 0x04, 0, 0};  // id 0x0404, empty name padded
    data.insert(data.end(), head.begin(), head.end());
    for (int shift = 24; shift >= 0; shift -= 8)
        data.push_back(static_cast<std::uint8_t>(datasets.size() >> shift));
    data.insert(data.end(), datasets.begin(), datasets.end());
    if (datasets.size() % 2 != 0)
        data.push_back(0);
    return Segment{.marker = 0xFFED, .data = data};
}

const Ifd camera_ifd{.entries = {ascii(tag::kMake, "Maker")}};

Bytes jpeg_with(std::vector<Segment> segments)
{
    return build_jpeg(Jpeg{.exif = Tiff{.chain = {camera_ifd}}, .after = std::move(segments)});
}

}  // namespace

TEST(PacketReading, EachContainerGivesItsXmpAndIptcBlocksAsFields)
{
    const std::string xmp = titled("Harbour at dusk");
    const std::string whole_extended = packet("xap:Label=\"Red\"");
    const Bytes datasets = iptc({{{2, 5}, "Harbour"}, {{2, 90}, "Kiel"}});
    struct file_case {
        std::string name;
        Bytes bytes;
        std::string out;  // -o l -f title,rating,label,city
    };
    std::vector<file_case> cases = {
        {"app1.jpg", jpeg_with({app1_xmp(xmp)}), "Harbour at dusk,4\n"},
        {"extended.jpg",
         jpeg_with({app1_xmp(xmp), app1_extended(whole_extended, 40, whole_extended.size() - 40),
                    app1_extended(whole_extended, 0, 40)}),
         "Harbour at dusk,4,Red\n"},
        {"app13.jpg", jpeg_with({app13_iptc(datasets)}), "Harbour,,,Kiel\n"},
        {"tags.tif",
         build_tiff(Tiff{.chain = {Ifd{.entries = {ascii(tag::kMake, "Maker"), bytes(700, kByte, bytes_of_text(xmp)),
                                                   undefined(33723, datasets)}}}}),
         "Harbour at dusk,4,,Kiel\n"},
    };
    cases.push_back({"tags.btf", to_bigtiff(cases[3].bytes), "Harbour at dusk,4,,Kiel\n"});
    cases.push_back({"iptc.psd", build_psd(build_tiff(Tiff{.chain = {camera_ifd}}), xmp, datasets),
                     "Harbour at dusk,4,,Kiel\n"});
    for (Container c : {Container::Png, Container::Webp, Container::Heif, Container::Avif, Container::Cr3,
                        Container::Jxl, Container::Psd, Container::Jp2, Container::PngItxt, Container::JxlBrob})
        cases.push_back({"x." + container_name(c), build_container(c, build_tiff(Tiff{.chain = {camera_ifd}}), xmp),
                         "Harbour at dusk,4\n"});
    temp_dir dir;
    for (const file_case &c : cases) {
        write_file(dir.file(c.name), c.bytes);
        const cli_result r = run_tagsift({"-e", "-o", "l", "-f", "title,rating,label,city", c.name}, {.cwd = dir.path()});
        EXPECT_EQ(r.out, c.out) << c.name;
        EXPECT_EQ(r.err, "") << c.name;
        EXPECT_EQ(r.status, 0) << c.name;
        // Without -e nothing of it is read.
        EXPECT_EQ(run_tagsift({"-o", "l", "-f", "title,make", c.name}, {.cwd = dir.path()}).err.find("XMP"),
                  std::string::npos);
    }
}

TEST(PacketReading, ListsBagSeqAltAndNestedStructuresByNamespaceUri)
{
    // xap: is the xmp namespace under another prefix; the German title comes
    // before the default one in the packet.
    const std::string xmp =
        packet("xap:Rating=\"5\" xmlns:Iptc4xmpCore=\"http://iptc.org/std/Iptc4xmpCore/1.0/xmlns/\""
               " xmlns:my=\"http://example.com/ns/\"",
               "<dc:subject><rdf:Bag><rdf:li>boat</rdf:li><rdf:li>harbour</rdf:li></rdf:Bag></dc:subject>"
               "<dc:creator><rdf:Seq><rdf:li>Ann</rdf:li><rdf:li>Bo</rdf:li></rdf:Seq></dc:creator>"
               "<dc:title><rdf:Alt><rdf:li xml:lang=\"de\">Hafen</rdf:li>"
               "<rdf:li xml:lang=\"x-default\">Harbour</rdf:li></rdf:Alt></dc:title>"
               "<Iptc4xmpCore:CreatorContactInfo rdf:parseType=\"Resource\">"
               "<Iptc4xmpCore:CiAdrCity>Kiel</Iptc4xmpCore:CiAdrCity></Iptc4xmpCore:CreatorContactInfo>"
               "<my:Shots><rdf:Seq><rdf:li my:Lens=\"35mm\"/><rdf:li><rdf:Description my:Lens=\"50mm\"/></rdf:li>"
               "</rdf:Seq></my:Shots>");
    temp_dir dir;
    write_file(dir.file("a.jpg"), jpeg_with({app1_xmp(xmp)}));
    const cli_result r = run_tagsift({"-e", "a.jpg"}, {.cwd = dir.path()});
    EXPECT_EQ(r.out,
              "FILE: a.jpg\n\nCamera   \n  Make                     : Maker\n\nXMP\n"
              "  xmp:Rating               : 5\n"
              "  dc:subject               : boat, harbour\n"
              "  dc:creator               : Ann, Bo\n"
              "  dc:title                 : Harbour\n"
              "  dc:title[de]             : Hafen\n"
              "  Iptc4xmpCore:CreatorContactInfo/Iptc4xmpCore:CiAdrCity: Kiel\n"
              "  my:Shots/my:Lens         : 35mm, 50mm\n\n");
    EXPECT_EQ(r.err, "");
    const cli_result fields = run_tagsift({"-e", "-o", "l", "-c", "t", "-f", "keywords,creator,title", "a.jpg"},
                                          {.cwd = dir.path()});
    EXPECT_EQ(fields.out, "boat, harbour\tAnn, Bo\tHarbour\n");
}

TEST(PacketReading, KeywordsAreAJsonArrayAndRowsOfATableOfTheirOwn)
{
    temp_dir dir;
    auto keyworded = [&](const std::string &items) {
        write_file(dir.file("a.jpg"),
                   jpeg_with({app1_xmp(packet("xap:Rating=\"2\"", "<dc:subject><rdf:Bag>" + items +
                                                                      "</rdf:Bag></dc:subject>"))}));
    };
    // An item holding ", " is still one item.
    keyworded("<rdf:li>boat</rdf:li><rdf:li>north, east</rdf:li><rdf:li>boat</rdf:li>");
    EXPECT_EQ(run_tagsift({"-e", "-o", "j", "-f", "keywords,rating", "a.jpg"}, {.cwd = dir.path()}).out,
              "{\"file_name_full\":\"a.jpg\",\"keywords\":[\"boat\",\"north, east\",\"boat\"],\"rating\":2}\n");
    if (std::system("command -v sqlite3 >/dev/null") != 0)
        GTEST_SKIP() << "sqlite3 is not installed";
    // Loaded twice: the second load replaces the file's keywords.
    const std::string load = "cd '" + dir.path() + "' && " + tagsift_binary() +
                             " -e -o d -f keywords a.jpg >k.sql && sqlite3 -bail k.db <k.sql";
    ASSERT_EQ(std::system(load.c_str()), 0);
    keyworded("<rdf:li>harbour</rdf:li><rdf:li>north, east</rdf:li>");
    ASSERT_EQ(std::system((load + " && sqlite3 k.db 'SELECT keyword FROM keywords ORDER BY 1; SELECT keywords FROM "
                                  "pictures' >rows.txt")
                              .c_str()),
              0);
    std::ifstream rows(dir.file("rows.txt"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(rows), {}), "harbour\nnorth, east\nharbour, north, east\n");
}

TEST(PacketReading, SidecarValuesWinAndAreListedAsTheirOwnSource)
{
    temp_dir dir;
    write_file(dir.file("photo.jpg"), jpeg_with({app1_xmp(titled("Embedded"))}));
    const std::string sidecar = packet("", "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">From sidecar</rdf:li>"
                                           "</rdf:Alt></dc:title>");
    write_file(dir.file("photo.xmp"), bytes_of_text(sidecar));
    const cli_result r = run_tagsift({"-e", "photo.jpg"}, {.cwd = dir.path()});
    EXPECT_EQ(r.out,
              "FILE: photo.jpg\n\nCamera   \n  Make                     : Maker\n\nXMP\n"
              "  xmp:Rating               : 4\n  dc:title                 : Embedded\n\n"
              "XMP (sidecar)\n  dc:title                 : From sidecar\n\n");
    const cli_result fields = run_tagsift({"-e", "-o", "l", "-f", "title,rating", "photo.jpg"}, {.cwd = dir.path()});
    EXPECT_EQ(fields.out, "From sidecar,4\n");
    // The file's own sidecar, NAME.jpg.xmp, comes before the one it may share with a raw file.
    write_file(dir.file("photo.jpg.xmp"), bytes_of_text(packet("xap:Label=\"Red\"")));
    EXPECT_EQ(run_tagsift({"-e", "-o", "l", "-f", "title,label", "photo.jpg"}, {.cwd = dir.path()}).out,
              "Embedded,Red\n");
}

TEST(PacketReading, HostilePacketsEndWithAWarningAndTheFileIsStillListed)
{
    const std::string laughs =
        "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\"><!ENTITY lol2 \"&lol;&lol;&lol;&lol;\">]>" +
        rdf_open + "<rdf:Description xmlns:dc=\"http://purl.org/dc/elements/1.1/\" dc:format=\"&lol2;\"/>" +
        rdf_close;
    struct hostile {
        std::string name;
        std::string xmp;
        std::string title;  // what is kept: the sidecar's title read before the end, else the IPTC one
        std::string warning;
    };
    const hostile cases[] = {
        {"laughs", laughs, "Still here", "XMP packet ends at line 1: a document type declaration is not read"},
        {"utf8", titled("caf\xC3 broken"), "Still here", "XMP packet ends at line 1: not well-formed (invalid token)"},
        {"cut", titled("Cut").substr(0, 200), "Still here", "XMP packet ends at line 1: unclosed token"},
    };
    temp_dir dir;
    for (const hostile &c : cases) {
        // In a sidecar (a JPEG segment cannot hold 20 MiB), beside a JPEG with EXIF and IPTC data.
        write_file(dir.file(c.name + ".jpg"), jpeg_with({app13_iptc(iptc({{{2, 5}, "Still here"}}))}));
        write_file(dir.file(c.name + ".xmp"), bytes_of_text(c.xmp));
        const cli_result r = run_tagsift({"-e", "-o", "l", "-f", "make,title", c.name + ".jpg"}, {.cwd = dir.path()});
        EXPECT_EQ(r.out, "Maker," + c.title + "\n") << c.name;
        EXPECT_EQ(r.err, "Warning: " + c.name + ".jpg: " + c.warning + "\n") << c.name;
        EXPECT_EQ(r.status, 0) << c.name;
    }
}

TEST(PacketReading, IptcTextIsUtf8WhenDataset190SaysSoElseLatin1)
{
    const std::string utf8_charset = "\x1B%G";
    struct charset_case {
        std::string name;
        Bytes datasets;
        std::string out;
        std::string err;
    };
    Bytes overrun = iptc({{{2, 5}, "Kept"}, {{2, 25}, "cut"}});
    overrun[overrun.size() - 4] = 0x40;  // the second dataset claims 16387 bytes
    const charset_case cases[] = {
        {"utf8", iptc({{{1, 90}, utf8_charset}, {{2, 5}, "Caf\xC3\xA9"}, {{2, 25}, "a"}, {{2, 25}, "b"}}),
         "Caf\xC3\xA9,\"a, b\"\n", ""},
        {"latin1", iptc({{{2, 5}, "Caf\xE9"}, {{2, 25}, "\xFC"}}), "Caf\xC3\xA9,\xC3\xBC\n", ""},
        {"overrun", overrun, "Kept\n",
         "Warning: overrun.jpg: IPTC dataset at byte 9 runs past its block (17 bytes); the rest is not read\n"},
    };
    temp_dir dir;
    for (const charset_case &c : cases) {
        write_file(dir.file(c.name + ".jpg"), jpeg_with({app13_iptc(c.datasets)}));
        const cli_result r = run_tagsift({"-e", "-o", "l", "-f", "title,keywords", c.name + ".jpg"}, {.cwd = dir.path()});
        EXPECT_EQ(r.out, c.out) << c.name;
        EXPECT_EQ(r.err, c.err) << c.name;
    }
}
