#include "support/rcs_id.h"

const char support_rcs_id[] = "$Id: support.cpp,v 1.5 2001/10/06 12:00:00 tagsift Exp $";
