#include "support/file_messages.h"

#include <cstdarg>
#include <cstdio>

#include "support/run_options.h"
#include "support/text_copy.h"

namespace {

struct file_messages {
    char shown_name[4096];
    bool named;
    int32_t warnings;  // warnings of this file, shown or not
    bool system_failure;
};
file_messages messages;

void print_named(const char *kind, const char *format, va_list args)
{
    fprintf(stderr, "%s: %s: ", kind, messages.shown_name);
    vfprintf(stderr, format, args);
    fputc('\n', stderr);
}

}  // namespace

void begin_file_messages(const char *shown_name, bool named)
{
    copy_text(messages.shown_name, sizeof messages.shown_name, shown_name);
    messages.named = named;
    messages.warnings = 0;
}

void end_file_messages()
{
    if (messages.named && messages.warnings > max_warnings_per_file && !exif_opts_p->quiet)
        fprintf(stderr, "Warning: %s: %d further warnings not shown\n", messages.shown_name,
                messages.warnings - max_warnings_per_file);
    messages.warnings = 0;
}

bool file_messages_named() { return messages.named; }

void file_warning(const char *format, ...)
{
    if (exif_opts_p->quiet || ++messages.warnings > max_warnings_per_file)
        return;
    va_list args;
    va_start(args, format);
    print_named("Warning", format, args);
    va_end(args);
}

void file_error(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    print_named("Error", format, args);
    va_end(args);
}

void note_system_failure() { messages.system_failure = true; }

int run_exit_status() { return messages.system_failure ? 2 : 0; }
