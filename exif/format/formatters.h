// Value formatters. Each writes at most 499 characters into a text area of at
// least 500 bytes, reading the value through its own copy of the context,
// whose cursor stands on the value's first byte.
#pragma once
#include <cstdint>

#include "exif/buf_context.h"

void format_field_raw(buf_context *ctx, uint32_t data_type, uint32_t count, char *text);
void format_field_basic(buf_context *ctx, uint32_t data_type, uint32_t count, char *text);
int is_printable(const unsigned char *bytes, uint32_t count);

// Per-IFD formatters: interpret the tags they know, pass the rest to format_field_basic.
using ifd_formatter = void (*)(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, uint32_t model_code,
                               char *text);
void format_field_generic(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, uint32_t model_code,
                          char *text);
void format_field_gps(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, uint32_t model_code,
                      char *text);
void format_field_nikon1(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, uint32_t model_code,
                         char *text);
void format_field_nikon2(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, uint32_t model_code,
                         char *text);
void format_field_canong1(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, uint32_t model_code,
                          char *text);
void format_field_casio(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, uint32_t model_code,
                        char *text);
void format_field_olymp(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, uint32_t model_code,
                        char *text);
void format_field_fujifilm(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, uint32_t model_code,
                           char *text);
// The same signature for IFD types whose values are only rendered plainly.
void format_field_basic_ifd(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, uint32_t model_code,
                            char *text);
