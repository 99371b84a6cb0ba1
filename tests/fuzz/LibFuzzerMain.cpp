// libFuzzer's entry for one target, named by VORLANE_FUZZ_TARGET.
#include "tests/fuzz/FuzzTargets.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
fuzz::Body body = nullptr;
}

[[noreturn]] void fuzz::fail(const char *file, int line, const char *property)
{
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, property);
    std::abort();
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Qt's own arguments are not libFuzzer's: Qt sees the program's name only.
    static int qtArgc = 1;
    static char *qtArgv[] = {(*argv)[0], nullptr};
    static QCoreApplication app(qtArgc, qtArgv);
    (void)argc;
    for (const fuzz::Target &target : fuzz::kTargets) {
        if (std::strcmp(target.name, VORLANE_FUZZ_TARGET) == 0)
            body = target.body;
    }
    if (!body) {
        std::fprintf(stderr, "no fuzz target %s\n", VORLANE_FUZZ_TARGET);
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    body(data, size);
    return 0;
}
