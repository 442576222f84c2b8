#pragma once

namespace tavrola {

// The character a byte stands for in a single-byte Windows code page (874, 1250..1258).
// Other code pages, and bytes a code page leaves undefined, are read as Windows-1252.
char16_t CodePageCharacter(int codePage, unsigned char byte);

// The code page of a rich-text font character set (\fcharsetN), or 0 when the set names
// none of its own (default, symbol, OEM, the double-byte sets).
int CharsetCodePage(int charset);

}  // namespace tavrola
