#pragma once
#include <QString>

namespace tavrola {

// The diagnostic trace: a plain text file nothing reads back. Until OpenTraceLog succeeds
// every TraceLog call is a no-op, so the core can trace freely from tests and scripts.
//
// OpenTraceLog tries "test.txt" in the folder, then "test1.txt" .. "test9.txt", and uses
// the first that opens for writing; it returns the path in use, or an empty string when
// none could be opened (tracing then stays off). A log already there from the run before
// is kept as "test-previous.txt" (or "testN-previous.txt"), replacing an older one.
QString OpenTraceLog(const QString& folder);
void CloseTraceLog();
bool TraceLogOpen();

// Appends one line (CR LF added). `text` may start with LF CR pairs as some entries do.
void TraceLog(const QString& text);

}  // namespace tavrola
