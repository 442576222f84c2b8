#pragma once
#include <cstddef>
#include <cstdint>

namespace tavrola::fuzz {

// One body per reader of untrusted input. Each takes arbitrary bytes, feeds them to the
// reader, checks what must hold for any input and aborts when it does not. The libFuzzer
// programs call them, and the test suite replays the seed and regression inputs through
// them, so every kept input stays checked in the ordinary build too.
int DutyText(const uint8_t* data, size_t size);
int StaffFile(const uint8_t* data, size_t size);
int WeekFile(const uint8_t* data, size_t size);
int RichText(const uint8_t* data, size_t size);
int DateText(const uint8_t* data, size_t size);
int RulesFile(const uint8_t* data, size_t size);

struct Body {
    const char* name;  // also the name of its seed and regression folders
    int (*run)(const uint8_t* data, size_t size);
};

inline constexpr Body kBodies[] = {
    {"duty_text", DutyText}, {"staff_file", StaffFile}, {"week_file", WeekFile},
    {"rich_text", RichText}, {"date_text", DateText}, {"rules_file", RulesFile},
};

}  // namespace tavrola::fuzz
