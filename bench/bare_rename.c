// SPDX-License-Identifier: GPL-3.0-or-later
/* The floor for renaming many files: one directory handle opened once, then one
 * renameat2(RENAME_NOREPLACE) per file and nothing else. bench/compare.sh times
 * it beside the command-line program and the tools users would pick instead.
 *
 * Usage: bare_rename DIRECTORY COUNT
 * Renames DIRECTORY/IMG_<i>.jpg to DIRECTORY/B<i>.jpg for i = 0 .. COUNT-1. */
#define _GNU_SOURCE
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: %s DIRECTORY COUNT\n", argv[0]);
        return 2;
    }
    const int dir = open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) {
        fprintf(stderr, "%s: %s\n", argv[1], strerror(errno));
        return 2;
    }
    const long count = strtol(argv[2], NULL, 10);
    long failed = 0;
    char from[64];
    char to[64];
    for (long i = 0; i < count; ++i) {
        snprintf(from, sizeof from, "IMG_%ld.jpg", i);
        snprintf(to, sizeof to, "B%ld.jpg", i);
        if (renameat2(dir, from, dir, to, RENAME_NOREPLACE) != 0)
            ++failed;
    }
    close(dir);
    if (failed) {
        fprintf(stderr, "%ld renames failed\n", failed);
        return 1;
    }
    return 0;
}
