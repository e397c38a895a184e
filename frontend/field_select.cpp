#include "frontend/field_select.h"

// Field lists are accepted and not yet applied: list and SQL output come later.
int set_list_fields(const char *)
{
    return 0;
}
