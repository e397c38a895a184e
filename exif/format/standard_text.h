// The text-valued standard fields: versions, dates and the user comment.
// Their bytes are taken from the buffer as they stand, never past its end.
#pragma once
#include <cstdint>

#include "exif/buf_context.h"
#include "exif/format/format_text.h"

// The first `count` bytes at the cursor (at most 499), ending early at a NUL
// or at the buffer's end. The cursor does not move.
void format_value_text(const buf_context *ctx, uint32_t count, format_text &out);

// A date "yyyy:mm:dd hh:mm:ss"; for Excel the characters at positions 4 and 7,
// the date's colons, become '/'.
void format_date(const buf_context *ctx, uint32_t count, bool excel_tweak, format_text &out);

// The comment after its 8-byte character-code prefix; empty when the value
// is too short to hold the prefix.
void format_user_comment(const buf_context *ctx, uint32_t count, format_text &out);
