#pragma once
#include <cstddef>
#include <cstdint>

namespace tavrola::fuzz {

// One body per reader of untrusted input. Each takes arbitrary bytes, feeds them to the
// reader, checks what must hold for any input and aborts when it does not. The libFuzzer
// programs call them, and the test suite replays the seed and regression inputs through
// them, so every kept input stays checked in the ordinary build too.
// The two files of a ward each have a fast body for their reader alone (in memory, for
// depth) and an end-to-end one (the reader, then what the program does with the result).
int DutyText(const uint8_t* data, size_t size);
int StaffRead(const uint8_t* data, size_t size);
int StaffFile(const uint8_t* data, size_t size);
int WeekRead(const uint8_t* data, size_t size);
int WeekFile(const uint8_t* data, size_t size);
int RichText(const uint8_t* data, size_t size);
int DateText(const uint8_t* data, size_t size);
int RulesFile(const uint8_t* data, size_t size);

struct Body {
    const char* name;   // also the name of its regression folder
    const char* seeds;  // its seed folder, shared by the bodies of one file
    int (*run)(const uint8_t* data, size_t size);
};

inline constexpr Body kBodies[] = {
    {"duty_text", "duty_text", DutyText},    {"staff_read", "staff_file", StaffRead},
    {"staff_file", "staff_file", StaffFile}, {"week_read", "week_file", WeekRead},
    {"week_file", "week_file", WeekFile},    {"rich_text", "rich_text", RichText},
    {"date_text", "date_text", DateText},    {"rules_file", "rules_file", RulesFile},
};

}  // namespace tavrola::fuzz
