// Build-time tool: renders the user guide's HTML source into the help PDF.
//   tavrola-helpgen SOURCE.html OUT.pdf
// The pages are laid out here rather than by QTextDocument::print, which ignores
// "page-break-after: avoid" and "page-break-inside: avoid": a heading that would end a
// page, or a short table that would be split, starts the next page instead.
#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTextDocument>
#include <QTextTable>
#include <cmath>
#include <cstdio>

namespace {

int PageOf(qreal y, qreal pageHeight)
{
    return int(std::floor(y / pageHeight));
}

// Where a block's first line starts in the document. The block's own box may begin on
// the page before, when its first line did not fit there and was moved down.
qreal FirstLineTop(QAbstractTextDocumentLayout* layout, const QTextBlock& block)
{
    const QRectF box = layout->blockBoundingRect(block);
    const QTextLayout* lines = block.layout();
    if (!lines || lines->lineCount() == 0)
        return box.top();
    return box.top() + lines->lineAt(0).y();  // the box's top is the layout's position
}

bool IsHeading(const QTextBlock& block)
{
    return block.blockFormat().headingLevel() > 0;
}

// A heading, or a paragraph ending in a colon that introduces what follows.
bool LeadsIntoNext(const QTextBlock& block)
{
    return block.isValid() && !QTextCursor(block).currentTable() &&
           (IsHeading(block) || block.text().trimmed().endsWith(u':'));
}

// Starts a new page before `block`, taking along the heading and introduction above it.
// Returns false when the block is already the first of its page.
bool BreakBefore(QTextDocument& doc, QTextBlock block, QTextTable* table)
{
    const qreal pageHeight = doc.pageSize().height();
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    const int page = PageOf(FirstLineTop(layout, block), pageHeight);
    for (int steps = 0; steps < 3 && LeadsIntoNext(block.previous()); ++steps) {
        block = block.previous();
        table = nullptr;
    }
    if (PageOf(FirstLineTop(layout, block), pageHeight) != page)
        return false;  // the lead-in sits on an earlier page: breaking there would leave a gap
    if (table) {
        QTextTableFormat format = table->format();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        table->setFormat(format);
    } else {
        QTextBlockFormat format;
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(block).mergeBlockFormat(format);
    }
    // Lay the whole document out again: the layout's own update after a format change
    // leaves the blocks below out of place on paginated documents.
    doc.markContentsDirty(0, doc.characterCount());
    return true;
}

// Headings never end a page, and a table shorter than a page is not split: either moves
// to the next page with the heading and introduction that lead into it. Blocks are handled
// in order, each against the layout the earlier moves left.
void KeepTogether(QTextDocument& doc)
{
    const qreal pageHeight = doc.pageSize().height();
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextTable* table = QTextCursor(block).currentTable();
        if (table) {
            if (table->cellAt(0, 0).firstCursorPosition().block() != block)
                continue;
            const QRectF box = layout->frameBoundingRect(table);
            if (box.height() < pageHeight && PageOf(box.top(), pageHeight) != PageOf(box.bottom() - 1, pageHeight))
                BreakBefore(doc, block, table);
        } else if (IsHeading(block) && block.next().isValid()) {
            const qreal headingTop = FirstLineTop(layout, block);
            const qreal textTop = FirstLineTop(layout, block.next());  // into tables too
            if (PageOf(headingTop, pageHeight) != PageOf(textTop, pageHeight))
                BreakBefore(doc, block, nullptr);
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: tavrola-helpgen SOURCE.html OUT.pdf\n", stderr);
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "tavrola-helpgen: cannot read %s\n", argv[1]);
        return 1;
    }

    QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
    pdf.setTitle(QStringLiteral("Tavrola User Guide"));
    pdf.setCreator(QStringLiteral("Tavrola"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 15, 18, 10),
                                  QPageLayout::Millimeter));

    // The text is laid out in the PDF's own units; the page number sits in a strip at the
    // foot of each page, below the text.
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&pdf);
    doc.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    doc.setHtml(QString::fromUtf8(source.readAll()));
    const QFont footerFont(QStringLiteral("DejaVu Sans"), 8);
    const qreal footer = QFontMetricsF(footerFont, &pdf).height() * 2;
    const QSizeF page(pdf.width(), pdf.height() - footer);
    doc.setPageSize(page);
    KeepTogether(doc);

    QPainter painter(&pdf);
    const int pages = doc.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            pdf.newPage();
        painter.save();
        const QRectF view(0, i * page.height(), page.width(), page.height());
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        doc.documentLayout()->draw(&painter, context);
        painter.restore();

        painter.setFont(footerFont);
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(0, page.height(), page.width(), footer), Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("Tavrola User Guide — page %1 of %2").arg(i + 1).arg(pages));
    }
    painter.end();
    return 0;
}
