#pragma once
#include <QString>
#include <QStringList>

namespace tavrola::cli {

// tavrola-cli check --week DATE [--file WEEK.rwk]: the working-time rules broken in the week.
int RunCheck(const QStringList& args, const QString& programFolder);

}  // namespace tavrola::cli
