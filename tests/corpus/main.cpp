// Writes the bad-picture corpus into a folder: `picture_corpus DIR [MAX_BYTES]`. With a size,
// only the files up to it (the fuzzers' seeds).
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "tests/corpus/picture_corpus.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIR [MAX_BYTES]\n", argv[0]);
        return 2;
    }
    const long long most = argc > 2 ? std::atoll(argv[2]) : -1;
    try {
        for (const picture_corpus::Entry& e : picture_corpus::corpus())
            if (most < 0 || e.size() <= most)
                picture_corpus::write(e, argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
