#include "FuzzBodies.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

// Every seed and every input a fuzzer once failed on goes through its body again, so the
// checks the fuzzers make hold in the ordinary and the sanitizer builds too.
TEST(FuzzInputs, SeedsAndKeptFailuresPassTheirChecks)
{
    const QDir fuzz(QStringLiteral(TAVROLA_SOURCE_DIR "/fuzz"));
    for (const auto& body : tavrola::fuzz::kBodies) {
        int seeds = 0;
        for (const char* kind : {"corpus", "regressions"}) {
            const char* folder = QLatin1String(kind) == QLatin1String("corpus") ? body.seeds : body.name;
            const QDir dir(fuzz.filePath(QStringLiteral("%1/%2").arg(QLatin1String(kind), QLatin1String(folder))));
            for (const QString& name : dir.entryList(QDir::Files)) {
                SCOPED_TRACE(dir.filePath(name).toStdString());
                QFile f(dir.filePath(name));
                ASSERT_TRUE(f.open(QIODevice::ReadOnly));
                const QByteArray bytes = f.readAll();
                EXPECT_EQ(body.run(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())), 0);
                seeds += QLatin1String(kind) == QLatin1String("corpus");
            }
        }
        EXPECT_GT(seeds, 0) << body.name << " has no seeds";
    }
}
