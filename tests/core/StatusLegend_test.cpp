// The grid's status colours for a reader with red-green colour blindness: simulated with
// the Machado, Oliveira and Fernandes (2009) matrices at full severity, every status
// either stands out from white at 3:1 (WCAG 1.4.11) or carries its own glyph, and two
// statuses that look alike never share a glyph unless they mean alike.
#include "roster/StatusLegend.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

using namespace tavrola;

namespace {

using Rgb = std::array<double, 3>;  // linear light, 0..1
using Matrix = std::array<Rgb, 3>;

double ToLinear(int c)
{
    const double s = c / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

Rgb Linear(Colour c)
{
    return {ToLinear(int(c & 0xFF)), ToLinear(int((c >> 8) & 0xFF)), ToLinear(int((c >> 16) & 0xFF))};
}

Rgb Apply(const Matrix& m, const Rgb& v)
{
    Rgb out{};
    for (int i = 0; i < 3; ++i)
        out[i] = std::clamp(m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2], 0.0, 1.0);
    return out;
}

double Luminance(const Rgb& v) { return 0.2126 * v[0] + 0.7152 * v[1] + 0.0722 * v[2]; }

double Contrast(const Rgb& a, const Rgb& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

const Matrix kNormal = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
const Matrix kProtanopia = {{{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216},
                             {-0.003882, -0.048116, 1.051998}}};
const Matrix kDeuteranopia = {{{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413},
                               {-0.011820, 0.042940, 0.968881}}};

}  // namespace

TEST(StatusLegend, EveryStatusReadsWithoutColourUnderRedGreenBlindness)
{
    const std::pair<const char*, const Matrix*> visions[] = {
        {"normal", &kNormal}, {"protanopia", &kProtanopia}, {"deuteranopia", &kDeuteranopia}};
    const auto& marks = StatusMarks();
    ASSERT_GE(marks.size(), 8u);
    for (const auto& [vision, m] : visions) {
        const Rgb white = Apply(*m, Linear(White));
        for (const StatusMark& s : marks) {
            const double c = Contrast(Apply(*m, Linear(s.colour)), white);
            EXPECT_TRUE(c >= 3.0 || !s.glyph.trimmed().isEmpty())
                << s.name.toStdString() << " under " << vision << ": " << c << ":1 and no glyph";
            // A short shift has both: its glyph and a colour at 3:1 for every reader.
            if (s.status == Status::ShortShift) {
                EXPECT_GE(c, 3.0) << vision;
            }
        }
        // Statuses whose colours a reader cannot tell apart (under 1.5:1 and close in
        // hue) are told apart by their glyphs, unless they mean the same ("=": met).
        for (size_t i = 0; i < marks.size(); ++i)
            for (size_t j = i + 1; j < marks.size(); ++j) {
                const Rgb a = Apply(*m, Linear(marks[i].colour)), b = Apply(*m, Linear(marks[j].colour));
                const bool alike = Contrast(a, b) < 1.5;
                if (alike && marks[i].glyph == marks[j].glyph) {
                    EXPECT_EQ(marks[i].glyph, QStringLiteral("="))
                        << marks[i].name.toStdString() << " and " << marks[j].name.toStdString() << " under " << vision;
                }
            }
    }
    // Today's two status colours are faint against white: the glyphs carry them.
    EXPECT_LT(Contrast(Linear(RequestColour), Linear(White)), 3.0);
    std::set<QString> glyphs;
    for (const StatusMark& s : marks)
        glyphs.insert(s.glyph);
    EXPECT_EQ(glyphs.size(), marks.size() - 1);  // "=" alone is shared: target met
}
