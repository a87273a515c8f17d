// Renders the user guide (Qt rich-text HTML with pictures beside it) into an
// A4 PDF: the guide's title above every page but the first, the page number
// below every page.
//
// Usage: helpPdf GUIDE.html OUTPUT.pdf
#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace {

constexpr qreal sideMarginMm = 20;
constexpr qreal edgeMarginMm = 12;
constexpr qreal bandMm = 10; // the title above and the number below the text
constexpr int bodyPointSize = 10;
constexpr int bandPointSize = 8;
constexpr qreal edgeSlack = 1; // pixels at the PDF's resolution

struct pageFrame_t
{
    QRectF header;
    QRectF body;
    QRectF footer;
};

qreal pixels(const QPdfWriter &writer, qreal mm)
{
    return mm / 25.4 * writer.resolution();
}

bool readGuide(const QString &path, QString &html)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCritical("helpPdf: cannot read %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    html = QString::fromUtf8(file.readAll());
    return true;
}

// A picture that does not load would leave a hole in the guide: refuse.
QStringList missingImages(QTextDocument &doc)
{
    QStringList missing;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextImageFormat image = it.fragment().charFormat().toImageFormat();
            if (!image.isValid())
                continue;
            if (doc.resource(QTextDocument::ImageResource, QUrl(image.name())).isNull())
                missing << image.name();
        }
    }
    return missing;
}

pageFrame_t frameOf(const QPdfWriter &writer)
{
    const QRectF paint = writer.pageLayout().paintRectPixels(writer.resolution());
    const qreal band = pixels(writer, bandMm);
    pageFrame_t frame;
    frame.header = QRectF(0, 0, paint.width(), band);
    frame.body = QRectF(0, band, paint.width(), paint.height() - 2 * band);
    frame.footer = QRectF(0, paint.height() - band, paint.width(), band);
    return frame;
}

void setupWriter(QPdfWriter &writer, const QString &title)
{
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(sideMarginMm, edgeMarginMm, sideMarginMm, edgeMarginMm),
                          QPageLayout::Millimeter);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("ztModBusUtility helpPdf"));
}

void layOut(QTextDocument &doc, QPdfWriter &writer, const pageFrame_t &frame)
{
    // Debian's fonts-dejavu-core has the Cyrillic glyphs.
    QFont font(QStringLiteral("DejaVu Sans"), bodyPointSize);
    font.setStyleHint(QFont::SansSerif);
    doc.setDefaultFont(font);
    doc.setDocumentMargin(0);
    // Fonts and pictures take their sizes from the PDF's resolution.
    doc.documentLayout()->setPaintDevice(&writer);
    doc.setPageSize(frame.body.size());
}

// Lines pushed on to the next page move inside their block: take the first.
// A pushed line starts right on the page's edge, give or take rounding.
int pageOf(const QTextDocument &doc, const QTextBlock &block)
{
    qreal top = doc.documentLayout()->blockBoundingRect(block).top();
    if (block.layout()->lineCount() > 0)
        top += block.layout()->lineAt(0).y();
    return int((top + edgeSlack) / doc.pageSize().height());
}

// The first heading whose text starts on a later page, or -1.
int strandedHeading(const QTextDocument &doc)
{
    // Lays out what is not laid out yet.
    doc.pageCount();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        const QTextBlock next = block.next();
        if (format.headingLevel() == 0 || !next.isValid()
            || format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            continue;
        if (pageOf(doc, block) != pageOf(doc, next))
            return block.position();
    }
    return -1;
}

// A heading left alone at the foot of a page starts the next page instead.
// Each break moves what follows it, so the rest is looked at again after it.
void keepHeadingsWithText(QTextDocument &doc)
{
    for (int position = strandedHeading(doc); position >= 0; position = strandedHeading(doc)) {
        QTextCursor cursor(&doc);
        cursor.setPosition(position);
        QTextBlockFormat format = cursor.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor.setBlockFormat(format);
        // Lays the whole document out again.
        doc.setPageSize(doc.pageSize());
    }
}

void drawBands(QPainter &painter, const pageFrame_t &frame, const QString &title, int page, int pages)
{
    QFont font = painter.font();
    font.setPointSize(bandPointSize);
    painter.setFont(font);
    painter.setPen(Qt::darkGray);
    if (page > 1) {
        painter.drawText(frame.header, Qt::AlignLeft | Qt::AlignTop, title);
        const qreal rule = frame.header.top() + frame.header.height() / 2;
        painter.drawLine(QPointF(frame.header.left(), rule), QPointF(frame.header.right(), rule));
    }
    painter.drawText(frame.footer, Qt::AlignHCenter | Qt::AlignBottom,
                     QStringLiteral("%1 / %2").arg(page).arg(pages));
}

void drawBody(QPainter &painter, QTextDocument &doc, const pageFrame_t &frame, int index)
{
    const qreal height = frame.body.height();
    painter.save();
    painter.translate(frame.body.left(), frame.body.top() - index * height);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, index * height, frame.body.width(), height);
    painter.setClipRect(context.clip);
    doc.documentLayout()->draw(&painter, context);
    painter.restore();
}

bool render(QTextDocument &doc, QPdfWriter &writer, const pageFrame_t &frame, const QString &title)
{
    QPainter painter;
    if (!painter.begin(&writer)) {
        qCritical("helpPdf: cannot start the PDF");
        return false;
    }
    const int pages = doc.pageCount();
    for (int index = 0; index < pages; ++index) {
        if (index > 0)
            writer.newPage();
        drawBody(painter, doc, frame, index);
        drawBands(painter, frame, title, index + 1, pages);
    }
    return painter.end();
}

bool writeGuide(const QString &guidePath, const QString &pdfPath)
{
    QString html;
    if (!readGuide(guidePath, html))
        return false;
    QPdfWriter writer(pdfPath);
    QTextDocument doc;
    // Pictures are named relative to the guide.
    doc.setBaseUrl(QUrl::fromLocalFile(QFileInfo(guidePath).absolutePath() + QLatin1Char('/')));
    doc.setHtml(html);
    const QString title = doc.metaInformation(QTextDocument::DocumentTitle);
    setupWriter(writer, title);
    const pageFrame_t frame = frameOf(writer);
    layOut(doc, writer, frame);
    keepHeadingsWithText(doc);
    const QStringList missing = missingImages(doc);
    if (!missing.isEmpty()) {
        qCritical("helpPdf: pictures not found: %s", qPrintable(missing.join(QStringLiteral(", "))));
        return false;
    }
    return render(doc, writer, frame, title);
}

} // namespace

int main(int argc, char *argv[])
{
    // Runs during the build, where there may be no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        qCritical("Usage: helpPdf GUIDE.html OUTPUT.pdf");
        return 2;
    }
    if (writeGuide(args.at(1), args.at(2)))
        return 0;
    // A partial PDF would look up to date to the next build.
    QFile::remove(args.at(2));
    return 1;
}
