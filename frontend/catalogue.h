// The catalogue of field names that -f accepts (-l).
#pragma once

void display_field_names();
