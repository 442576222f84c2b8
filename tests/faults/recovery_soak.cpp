// Drives the document as a user typing without pause, recovery files on, for the
// fault-injection script to kill at a random moment; then reads back what was left.
//   recovery_soak edit WARD RECOVERY   types "E<n>" into a cell every 10 ms and prints
//                                      "<n> <milliseconds since the epoch>" per edit
//   recovery_soak check WARD RECOVERY  prints the highest <n> a left recovery file holds
//                                      for the week of 30 November 2026 (-1: none)
#include "ScriptedUi.h"
#include "document/RosterDocument.h"
#include "document/WeekRecovery.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QRegularExpression>
#include <QTimer>
#include <cstdio>

using namespace tavrola;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString ward = QString::fromLocal8Bit(argv[2]) + u'/';
    const QString recovery = QString::fromLocal8Bit(argv[3]);
    const QDate monday(2026, 11, 30);

    if (mode == QLatin1String("check")) {
        int best = -1;
        static const QRegularExpression edit(QStringLiteral("^E(\\d+)$"));
        for (const RecoveryOffer& offer : FindRecoveryOffers(recovery, ward)) {
            if (offer.record.monday != monday)
                continue;
            for (int day = 1; day <= kDays; ++day)
                for (int line = 1; line <= kLines; ++line) {
                    const auto m = edit.match(offer.record.week.Cells[day][line]);
                    if (m.hasMatch())
                        best = std::max(best, m.captured(1).toInt());
                }
        }
        std::printf("%d\n", best);
        return 0;
    }
    if (mode != QLatin1String("edit"))
        return 2;

    test::ScriptedUi ui;
    ui.answers = {Answer::Yes};  // load the stored week
    RosterDocument document;
    document.open(ward);
    if (!document.readStaff(ui) || !document.pickWeek(monday, ui))
        return 3;
    document.Recovery.enable(recovery);
    int n = 0;
    QTimer typing;
    QObject::connect(&typing, &QTimer::timeout, [&] {
        ++n;
        document.typeText(BoxRef::cell(n % kDays + 1, n % 18 + 1), QStringLiteral("E%1").arg(n));
        document.endTyping();
        std::printf("%d %lld\n", n, static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
        std::fflush(stdout);
    });
    typing.start(10);
    return app.exec();
}
