/* Loads the engine as a front end does and calls its one entry point: modes
 * other than 2 return 1 and create no file; a run without a names file
 * returns 38 and the calling process lives on. */
#define _GNU_SOURCE
#include <dirent.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int entries(const char* path) {
    DIR* d = opendir(path);
    int n = 0;
    struct dirent* e;
    if (!d) return -1;
    while ((e = readdir(d)) != NULL)
        if (strcmp(e->d_name, ".") != 0 && strcmp(e->d_name, "..") != 0) ++n;
    closedir(d);
    return n;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: dlopen_check LIBRARY\n");
        return 2;
    }
    void* lib = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!lib) {
        fprintf(stderr, "dlopen: %s\n", dlerror());
        return 1;
    }
    int (*izolan)(int) = (int (*)(int))dlsym(lib, "IZOLAN");
    if (!izolan) {
        fprintf(stderr, "dlsym IZOLAN: %s\n", dlerror());
        return 1;
    }
    char tmpl[] = "/tmp/zolan-api-XXXXXX";
    if (!mkdtemp(tmpl) || chdir(tmpl) != 0) return 1;
    int failures = 0;
    const int modes[] = {0, 1, 3};
    for (int i = 0; i < 3; ++i) {
        int r = izolan(modes[i]);
        if (r != 1) {
            fprintf(stderr, "IZOLAN(%d) returned %d, expected 1\n", modes[i], r);
            ++failures;
        }
    }
    if (entries(".") != 0) {
        fprintf(stderr, "IZOLAN with modes 0, 1, 3 created files\n");
        ++failures;
    }
    int r = izolan(2);
    if (r != 38) {
        fprintf(stderr, "IZOLAN(2) without Names.dat returned %d, expected 38\n", r);
        ++failures;
    }
    if (entries(".") != 0) {
        fprintf(stderr, "IZOLAN(2) without Names.dat created files\n");
        ++failures;
    }
    if (chdir("/") != 0 || rmdir(tmpl) != 0) ++failures;
    /* The library stays loaded, as in a front end: the OpenMP runtime it
     * brings keeps its start-up allocations for the life of the process. */
    printf(failures ? "dlopen check FAILED\n" : "dlopen check passed\n");
    return failures ? 1 : 0;
}
