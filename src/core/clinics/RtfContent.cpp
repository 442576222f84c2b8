#include "clinics/RtfContent.h"

namespace tavrola {

namespace {

// Unpaired UTF-16 surrogates (from \u escapes) become U+FFFD, so every line is valid text.
void RepairSurrogates(QString& s, qsizetype from)
{
    const qsizetype n = s.size();
    for (qsizetype k = from; k < n; ++k) {
        const QChar c = s.at(k);
        if (c.isHighSurrogate() && k + 1 < n && s.at(k + 1).isLowSurrogate())
            ++k;
        else if (c.isSurrogate())
            s[k] = QChar(QChar::ReplacementCharacter);
    }
}

}  // namespace

void RtfContentBuilder::append(QChar ch, const RtfCharProps& props)
{
    const char16_t u = ch.unicode();
    if (u == 0x2028 || u == 0x2029) {
        endParagraph(RtfAlign::Left);
        return;
    }
    if (u == 0xFDD0 || u == 0xFDD1)
        ch = QChar(QChar::ReplacementCharacter);
    if (c_.runs.empty() || !(c_.runs.back().props == props)) {
        if (!c_.runs.empty() && c_.runs.back().start == c_.text.size()) {
            c_.runs.back().props = props;  // an empty run is replaced, not kept
            if (c_.runs.size() >= 2 && c_.runs[c_.runs.size() - 2].props == props)
                c_.runs.pop_back();  // and merges with the run before when alike
        } else {
            c_.runs.push_back({c_.text.size(), props});
        }
    }
    c_.text.append(ch);
}

void RtfContentBuilder::endParagraph(RtfAlign align)
{
    RepairSurrogates(c_.text, c_.paragraphs.empty() ? 0 : c_.paragraphs.back().end);
    c_.paragraphs.push_back({c_.text.size(), align});
    ended_ = true;
}

void RtfContentBuilder::finish(RtfAlign align)
{
    const qsizetype lastEnd = c_.paragraphs.empty() ? 0 : c_.paragraphs.back().end;
    if (!ended_ || c_.text.size() > lastEnd)
        endParagraph(align);
    if (!c_.runs.empty() && c_.runs.back().start >= c_.text.size())
        c_.runs.pop_back();
}

bool RtfContentBuilder::lineEndsWithTab() const
{
    const qsizetype lineStart = c_.paragraphs.empty() ? 0 : c_.paragraphs.back().end;
    return c_.text.size() > lineStart && c_.text.endsWith(u'\t');
}

QString RtfContent::paragraphText(size_t k) const
{
    const qsizetype start = paragraphStart(k);
    return text.mid(start, paragraphs[k].end - start);
}

const RtfContent::Font* RtfContent::font(int number) const
{
    if (number < 0)
        return nullptr;
    for (const auto& [n, f] : fonts)
        if (n == number)
            return &f;
    return nullptr;
}

QStringList RtfContent::lines() const
{
    QStringList out;
    if (paragraphs.size() == 1 && paragraphs[0].end == 0)
        return out;
    out.reserve(qsizetype(paragraphs.size()));
    for (size_t k = 0; k < paragraphs.size(); ++k)
        out.append(paragraphText(k));
    return out;
}

RtfContent PlainTextContent(const QString& text)
{
    RtfContent content;
    RtfContentBuilder build(content);
    const qsizetype n = text.size();
    for (qsizetype k = 0; k < n; ++k) {
        const QChar c = text.at(k);
        if (c == u'\r' || c == u'\n') {
            build.endParagraph(RtfAlign::Left);
            if (c == u'\r' && k + 1 < n && text.at(k + 1) == u'\n')
                ++k;
        } else {
            build.append(c, RtfCharProps{});
        }
    }
    build.finish(RtfAlign::Left);
    return content;
}

}  // namespace tavrola
