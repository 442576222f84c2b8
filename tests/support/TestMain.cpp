#include "util/Locale.h"

#include <gtest/gtest.h>

// The core tests read and write dates as the program does: en_GB when the system has no
// locale of its own.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    tavrola::UseDefaultLocale();
    return RUN_ALL_TESTS();
}
