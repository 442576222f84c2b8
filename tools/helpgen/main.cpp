// Build-time tool: renders the user guide's HTML source into the help PDF.
//   tavrola-helpgen SOURCE.html OUT.pdf
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

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
    QTextDocument doc;
    doc.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    doc.setHtml(QString::fromUtf8(source.readAll()));

    QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
    pdf.setTitle(QStringLiteral("Tavrola User Guide"));
    pdf.setCreator(QStringLiteral("Tavrola"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                                  QPageLayout::Millimeter));
    doc.print(&pdf);
    return 0;
}
