// The libFuzzer entry point of one body, chosen at build time.
#include "FuzzBodies.h"
#include "util/Locale.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    tavrola::UseDefaultLocale();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return tavrola::fuzz::TAVROLA_FUZZ_BODY(data, size);
}
