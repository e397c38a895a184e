// The usage text. Every option letter goes through a "%c" filled with the
// option character, so the formats below read the way the help is written.
#include "frontend/usage.h"

#include <cstdio>

namespace {

constexpr char opt = '-';         // the character in front of every option letter
constexpr const char *sep = "/";  // path separator in the examples

void print_name_and_synopsis()
{
    fputs("\nNAME\n\n", stdout);
    fputs("   tagsift - list EXIF data from one or more JPEG files\n\n", stdout);
    fputs("SYNOPSIS\n\n", stdout);
    printf("   tagsift [%caqsux] file...\n", opt);
    printf("   tagsift [%caqsux] %co [l|lh|s] [%cc [c|t]] [%cf field-list] file...\n", opt, opt, opt, opt);
    printf("   tagsift [%ch|l|t|v]\n", opt);
    fputs("\n", stdout);
}

void print_description()
{
    fputs("DESCRIPTION\n", stdout);
    fputs("            1) Prints to standard output the EXIF data of the named\n"
          "            JPEG files, and of all JPEG files in a named directory,\n"
          "            in one of three formats:\n"
          "            a. all fields, in an easily readable form (the default);\n"
          "            b. a subset of the fields, one line per file, for\n"
          "            loading into a spreadsheet or database;\n"
          "            c. a subset of the fields as one SQL INSERT statement\n"
          "            per file.\n",
          stdout);
    printf("            The format is chosen with the %co option; when %co is\n"
           "            not given, all fields are printed in readable form.\n",
           opt, opt);
    printf("            2) Extracts the thumbnail image (%ct option).\n", opt);
    printf("            3) Prints the list of known EXIF field names (%cl option).\n", opt);
    printf("            4) Prints usage information (%ch option).\n", opt);
    printf("            5) Prints version information (%cv option).\n", opt);
    fputs("\n\n", stdout);
}

void print_options()
{
    fputs("OPTIONS\n", stdout);

    printf("   %ca       Show absolution directory paths. When the directory\n", opt);
    fputs("            of a file is shown, it is the full directory path. By\n"
          "            default only the path relative to the current or the\n"
          "            specified directory is shown.\n\n",
          stdout);

    printf("   %cc [c|t] Separator character. In list mode (see %co l option)\n", opt, opt);
    fputs("            the fields are separated by this character:\n"
          "            c = comma, t = tab. Commas are used by default.\n\n",
          stdout);

    printf("   %ce       Extended reading. Also names the fields of newer cameras\n", opt);
    printf("            (EXIF 2.2 to 3.0), of TIFF and DNG files and the Windows\n"
           "            XP texts, for the listing and the %cf option; reads UTF-8\n"
           "            and Unicode texts and FLOAT and DOUBLE values; and reads\n"
           "            the EXIF data of TIFF and raw files (DNG, NEF, CR2, CR3,\n"
           "            ARW, ORF, RW2, RAF, MRW, X3F ...), HEIF, AVIF, PNG, WebP\n"
           "            and JPEG XL files, told apart by their first bytes. It\n"
           "            applies wherever it stands among the options.\n\n",
           opt);

    printf("   %cf [field-name,field-name,... | @file-name] \n", opt);
    printf("            Names the fields that the %co option prints, given as a\n"
           "            comma-separated list, for example %cf file-name,width,height;\n"
           "            as \"@\" followed by a text file with one name per line,\n"
           "            for example %cf @field-list.txt; or as \"@-\" to read the\n"
           "            names from standard input, for example\n"
           "            more list.txt | tagsift %cf @- my-dir\n"
           "            Use the %cl option to see the valid field names.\n\n",
           opt, opt, opt, opt, opt);

    printf("   %ch       Display usage information.\n\n", opt);

    printf("   %cl       Display a list of valid EXIF fields that can be \n", opt);
    printf("            used with the %cf option.\n\n", opt);

    printf("   %co [l|lh|s]\n", opt);
    printf("            Output format. Without %co, all fields are printed in\n"
           "            an easily readable form. The formats are:\n"
           "            l = list: one line per file, the fields separated by\n"
           "            commas or tabs (see %cc), for loading into a spreadsheet\n"
           "            or database.\n"
           "            lh = list with header: like l, but a heading line with\n"
           "            the field names comes first.\n"
           "            s = sql: one SQL INSERT statement per file.\n"
           "            j = json: one JSON object per file, one a line, with\n"
           "            typed values under names such as date_taken;\n"
           "            %cf all gives every field, grouped by IFD.\n"
           "            d = database script: an SQL script that creates the\n"
           "            table pictures, keyed by the full path, when it is\n"
           "            missing and loads or updates one row per file in one\n"
           "            transaction, for example\n"
           "            tagsift %cr %co d . | sqlite3 photos.db\n"
           "            The fields printed are chosen with the %cf option.\n\n",
           opt, opt, opt, opt, opt, opt);

    printf("   %cq       Quiet mode. Do not display warning messages.\n\n", opt);

    printf("   %cr       Include subdirectories. If any of the files specified\n", opt);
    fputs("            is a directory, all of its subdirectories are read too.\n\n", stdout);

    printf("   %ct       Extract the thumbnail image from the specified file(s)\n", opt);
    fputs("            Each thumbnail is written to a file named after the JPEG\n"
          "            file with \"-th\" added before the '.', so the thumbnail of\n"
          "            my-photo.jpg goes to my-photo-th.jpg.\n\n",
          stdout);

    printf("   %cu       Unformatted mode. tagsift will not interpret\n", opt);
    fputs("            the values but shows them raw: a shutter speed that is\n"
          "            normally shown as 1/125 sec is shown as 70/10.\n\n",
          stdout);

    printf("   %cv       Display program version information\n\n", opt);

    printf("   %cx       Excel compatibility mode. When importing tagsift \n", opt);
    printf("            output into Microsoft Excel, certain fields such as the\n"
           "            EXIF date/time are formatted so that Excel interprets\n"
           "            them correctly. Ignored when %cu is also given.\n\n",
           opt);
}

void print_examples()
{
    fputs("EXAMPLES\n", stdout);

    fputs("            tagsift image1.jpg image2.jpg\n\n", stdout);
    fputs("                Shows all EXIF information of image1.jpg and\n"
          "                image2.jpg.\n\n",
          stdout);

    printf("            tagsift %cq %cr %co l .\n\n", opt, opt, opt);
    fputs("                Prints one line for each JPEG file in the current\n"
          "                directory and its subdirectories, without warnings.\n\n",
          stdout);

    printf("            tagsift %co l %cc t ..%spics %susr%susers%sfred image1.jpg\n\n", opt, opt, sep, sep, sep, sep);
    printf("                Prints one tab-separated line for each JPEG file in\n"
           "                ..%spics and %susr%susers%sfred, and one for image1.jpg.\n\n",
           sep, sep, sep, sep);

    printf("            tagsift %co lh %cf file-name,width,height .\n\n", opt, opt);
    fputs("                Prints a heading line, then the file name, width and\n"
          "                height of each JPEG file in the current directory.\n\n",
          stdout);

    printf("            tagsift %co l %cf aperture image.jpg\n\n", opt, opt);
    fputs("                Prints the aperture of image.jpg.\n\n", stdout);

    printf("            tagsift %cl\n\n", opt);
    printf("                Lists the valid field names for the %cf option.\n\n", opt);
}

}  // namespace

void display_usage()
{
    print_name_and_synopsis();
    print_description();
    print_options();
    print_examples();
}
