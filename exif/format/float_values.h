// IEEE 754 values of the FLOAT and DOUBLE data types, read in the file's byte order.
#pragma once

#include "exif/buf_context.h"

// Read through get_u_int4, which checks the buffer's bounds and moves the cursor.
float get_float32(buf_context *ctx);
double get_float64(buf_context *ctx);
