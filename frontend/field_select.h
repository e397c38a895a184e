// Field selection for list and SQL output (-f).
#pragma once

// Applies a field-name list; 0 on success, 1 when it named no valid field.
int set_list_fields(const char *list);
