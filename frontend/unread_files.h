// Extended reading's one message for a file that gave no fields.
#pragma once

// Reports result code rc (not exif_ok) of the file just read, naming it;
// notes the run's status 2 when the system failed to read it.
void report_unread_file(int rc);
