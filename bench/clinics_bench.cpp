// The clinic list is read again each time the day pop-up becomes active, and the editor
// loads and saves it whole: how long those take for a long list and for one carrying a
// pasted picture (stored as hex text).
#include "clinics/ClinicDay.h"
#include "clinics/RtfReader.h"
#include "clinics/RtfWriter.h"

#include <QTextDocument>

#include <benchmark/benchmark.h>

using namespace tavrola;

namespace {

const char* const kDays[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

// `lines` clinic lines as WordPad writes them, and a picture of `pictureBytes` bytes.
QByteArray ClinicList(int lines, int pictureBytes)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}}\r\n"
                     "{\\colortbl ;\\red192\\green0\\blue0;}\r\n\\pard\\f0\\fs22 ";
    if (pictureBytes > 0)
        rtf += "{\\pict\\pngblip\\picw100\\pich100 " + QByteArray(pictureBytes * 2, 'a') + "}\\par\r\n";
    for (int k = 0; k < lines; ++k)
        rtf += QByteArray("\\b ") + kDays[k % 7] + (k % 2 ? " PM," : " AM,") + "\\b0  Dr Ch\\'e9rif " +
               QByteArray::number(k) + "  wk1,3  [Note " + QByteArray::number(k) + "]  PAC bring notes\\par\r\n";
    return rtf + "}";
}

void BM_PopUpList(benchmark::State& state)
{
    const QByteArray rtf = ClinicList(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        const RtfText r = RtfToPlainLines(rtf);
        benchmark::DoNotOptimize(ClinicDayLines(r.lines, 1, 1));
    }
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_PopUpList)->Args({40, 0})->Args({400, 0})->Args({40, 2 << 20})->Unit(benchmark::kMicrosecond);

void BM_EditorLoadAndSave(benchmark::State& state)
{
    const QByteArray rtf = ClinicList(int(state.range(0)), 0);
    for (auto _ : state) {
        QTextDocument doc;
        RtfToDocument(rtf, &doc);
        benchmark::DoNotOptimize(DocumentToRtf(doc));
    }
}
BENCHMARK(BM_EditorLoadAndSave)->Arg(40)->Arg(400)->Unit(benchmark::kMicrosecond);

}  // namespace
