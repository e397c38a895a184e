// The read floor of the speed benchmark: walks the folders named on the
// command line as `tagsift -r` does (readdir, into subdirectories) and reads
// the first 131072 bytes of every file the way the reader does (a stream
// without its own buffer, one fread into a window on the stack), and nothing
// else. Prints the number of files and bytes read on standard error. With -b
// N it reads the first N bytes of each file instead: -b 16384 is a plain
// sequential reader of the start of each file, the pace of a scan that waits
// for each file's first read before asking for the next.
//   read_floor [-b BYTES] FOLDER...
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t window = 131072;
size_t bytes_per_file = window;

long files_read;
long long bytes_read;

void read_file(const char *name)
{
    FILE *fp = fopen(name, "rb");
    if (fp == nullptr)
        return;
    setvbuf(fp, nullptr, _IONBF, 0);
    unsigned char buffer[window];
    bytes_read += static_cast<long long>(fread(buffer, 1, bytes_per_file, fp));
    fclose(fp);
    files_read++;
}

bool is_directory(const dirent *entry)
{
    if (entry->d_type == DT_DIR)
        return true;
    if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK)
        return false;
    struct stat st;
    return stat(entry->d_name, &st) == 0 && S_ISDIR(st.st_mode);
}

void walk(const char *folder)
{
    int back = open(".", O_RDONLY | O_DIRECTORY);
    if (back < 0 || chdir(folder) != 0) {
        perror(folder);
        if (back >= 0)
            close(back);
        return;
    }
    DIR *dir = opendir(".");
    if (dir != nullptr) {
        while (const dirent *entry = readdir(dir)) {
            if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0)
                continue;
            if (is_directory(entry))
                walk(entry->d_name);
            else
                read_file(entry->d_name);
        }
        closedir(dir);
    }
    if (fchdir(back) != 0)
        perror("fchdir");
    close(back);
}

}  // namespace

int main(int argc, char *argv[])
{
    int first = 1;
    if (argc > 2 && strcmp(argv[1], "-b") == 0) {
        long n = strtol(argv[2], nullptr, 10);
        bytes_per_file = n > 0 && static_cast<size_t>(n) < window ? static_cast<size_t>(n) : window;
        first = 3;
    }
    if (argc <= first) {
        fprintf(stderr, "usage: read_floor [-b BYTES] FOLDER...\n");
        return 2;
    }
    for (int i = first; i < argc; i++)
        walk(argv[i]);
    fprintf(stderr, "read_floor: %ld files, %lld bytes\n", files_read, bytes_read);
    return 0;
}
