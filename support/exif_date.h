// The EXIF date-and-time form YYYY:MM:DD HH:MM:SS.
#pragma once

// 1 when text has that form with month 1-12, day 1-31, hour 0-23 and minute
// and second 0-59, else 0. With debug on, the reason for a refusal is printed.
// The year has no range and the day is not held against its month.
int is_valid_exif_date(const char *text);
// 1 when every character of text is a digit 0-9 (also for the empty text), else 0.
int all_numeric(const char *text);
