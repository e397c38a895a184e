#include "support/new_file_name.h"

#include <cstdio>
#include <cstring>
#include <sys/random.h>
#include <time.h>
#include <unistd.h>

namespace {

constexpr int random_letters = 10;

void random_bytes(unsigned char (&bytes)[random_letters])
{
    if (getrandom(bytes, sizeof bytes, GRND_NONBLOCK) == static_cast<ssize_t>(sizeof bytes))
        return;
    // No random source yet (early boot): a clock and the process number still vary per call.
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    unsigned long mix = static_cast<unsigned long>(now.tv_nsec) ^ static_cast<unsigned long>(now.tv_sec) << 20 ^
                        static_cast<unsigned long>(getpid()) << 40;
    for (unsigned char &b : bytes) {
        mix = mix * 6364136223846793005UL + 1442695040888963407UL;
        b = static_cast<unsigned char>(mix >> 33);
    }
}

}  // namespace

void create_new_file_name(const char *name, char *result)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char random[random_letters];
    random_bytes(random);
    char tail[random_letters + 1];
    for (int i = 0; i < random_letters; i++)
        tail[i] = letters[random[i] % (sizeof letters - 1)];
    tail[random_letters] = '\0';
    const char *slash = strrchr(name, '/');
    const int folder_len = slash != nullptr ? static_cast<int>(slash - name + 1) : 0;
    snprintf(result, new_file_name_size, "%.*s.tagsift-%s", folder_len, name, tail);
}
