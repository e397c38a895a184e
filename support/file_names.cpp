#include "support/file_names.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "support/fatal_format.h"
#include "support/run_options.h"
#include "support/trace.h"

namespace {

constexpr size_t max_built_name_len = built_name_size - 1;
constexpr int max_retry_number = 99;

// The extension's '.' within the last path component, or nullptr. A leading
// '.' names a hidden file and starts no extension.
const char *find_extension(const char *name)
{
    const char *slash = strrchr(name, '/');
    const char *base = slash != nullptr ? slash + 1 : name;
    const char *dot = strrchr(base, '.');
    return dot != nullptr && dot != base ? dot : nullptr;
}

void insert_suffix(const char *name, const char *suffix, char *result)
{
    const size_t name_len = strlen(name);
    const size_t suffix_len = strlen(suffix);
    // Checked before anything is written, in subtraction form so that no sum can wrap.
    if (name_len > max_built_name_len || suffix_len > max_built_name_len - name_len)
        fatal_stop_format(stdout, 1, "ASSERT failed at %d in %s\n", __LINE__, __FILE_NAME__);
    const char *dot = find_extension(name);
    const size_t stem_len = dot != nullptr ? static_cast<size_t>(dot - name) : name_len;
    memcpy(result, name, stem_len);
    memcpy(result + stem_len, suffix, suffix_len);
    memcpy(result + stem_len + suffix_len, name + stem_len, name_len - stem_len);
    result[name_len + suffix_len] = '\0';
}

}  // namespace

void create_backup_file_name(const char *name, const char *suffix, char *result)
{
    insert_suffix(name, suffix, result);
    trace("Backup file name: %s\n", result);
}

void create_retry_file_name(const char *name, int number, char *result)
{
    if (number > max_retry_number)
        number = max_retry_number;
    char suffix[16];
    snprintf(suffix, sizeof suffix, "(%d)", number);
    insert_suffix(name, suffix, result);
    trace("Retry file name: %s\n", result);
}

void create_temp_file_name(char *result)
{
    snprintf(result, built_name_size, "tagkit_%lx.jpg", static_cast<unsigned long>(getpid()));
    trace("Temp file name: %s\n", result);
}

void append_to_built_name(char *result, const char *tail)
{
    const size_t length = strlen(result);
    if (length > max_built_name_len || strlen(tail) > max_built_name_len - length)
        fatal_stop_format(stdout, 1, "ASSERT failed at %d in %s\n", __LINE__, __FILE_NAME__);
    memcpy(result + length, tail, strlen(tail) + 1);
}
