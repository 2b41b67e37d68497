// Writes the demo archive that the run script opens (see demo_archive.h):
//   make-sample-archive OUT.res
#include <cstdio>
#include <exception>

#include "demo_archive.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sample-archive OUT.res\n");
        return 2;
    }
    try {
        mw::demo::demo_archive().write(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
