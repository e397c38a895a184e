#include "frontend/version.h"

#include <cstdio>

#include "exif/exif_reader.h"
#include "support/rcs_id.h"

const char frontend_rcs_id[] = "$Id: tagsift.cpp,v 1.5 2001/10/06 12:00:00 tagsift Exp $";

namespace {
constexpr char version_banner[] = "tagsift V1.5.0 - 06-October-2001";
constexpr char notice[] = "tagsift comes with no warranty; you may use, copy and share it freely.";
}  // namespace

void display_version()
{
    printf("\n%s\n\n%s\n%s\n%s\n\n%s\n\n", version_banner, frontend_rcs_id, exif_rcs_id, support_rcs_id, notice);
}
