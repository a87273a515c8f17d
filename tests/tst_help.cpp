#include <QtTest>

#include <QTemporaryDir>
#include <QTextDocument>
#include <QXmlStreamReader>

#include "boxAnswerer.h"
#include "cHelpDocument.h"

// Where the program finds its user guide, what it says without one, the
// guide the build renders, and that the guide quotes the program's messages
// as the translation has them.
class tst_help : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void currentFolderComesFirst();
    void locatePrefersEarlierFolder();
    void locateFindsNothing();
    void openWithoutGuideSaysWhereItLooked();
    void noViewerOffersFolder();
    void builtGuideIsPdf();
    void guideQuotesMessages_data();
    void guideQuotesMessages();

private:
    static void putGuide(const QString &folder);

    QString m_startDir;
    QTemporaryDir m_first;
    QTemporaryDir m_second;
};

namespace {

// Pages of the built guide, a little under what it has now.
constexpr int minimumPages = 10;

QString translationOf(const QString &context, const QString &source)
{
    QFile file(QStringLiteral(ZT_TS_FILE));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QXmlStreamReader xml(&file);
    QString currentContext;
    bool matched = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name"))
            currentContext = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            matched = currentContext == context && xml.readElementText() == source;
        else if (xml.name() == QLatin1String("translation") && matched)
            return xml.readElementText();
    }
    return QString();
}

QString guideText()
{
    QFile file(QStringLiteral(ZT_GUIDE_FILE));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QTextDocument doc;
    doc.setHtml(QString::fromUtf8(file.readAll()));
    return doc.toPlainText().simplified();
}

} // namespace

void tst_help::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_startDir = QDir::currentPath();
    QVERIFY(m_first.isValid());
    QVERIFY(m_second.isValid());
    QVERIFY2(QFile::exists(QStringLiteral(ZT_TS_FILE)), ZT_TS_FILE);
}

void tst_help::cleanup()
{
    QDir::setCurrent(m_startDir);
    QFile::remove(m_first.filePath(cHelpDocument::fileName()));
    QFile::remove(m_second.filePath(cHelpDocument::fileName()));
}

void tst_help::putGuide(const QString &folder)
{
    QFile file(QDir(folder).filePath(cHelpDocument::fileName()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4\n");
}

void tst_help::currentFolderComesFirst()
{
    QVERIFY(QDir::setCurrent(m_first.path()));
    const QStringList folders = cHelpDocument::folders();
    QVERIFY(folders.size() >= 3);
    QCOMPARE(folders.at(0), QDir::currentPath());
    QCOMPARE(folders.at(1), QCoreApplication::applicationDirPath());

    putGuide(m_first.path());
    QCOMPARE(cHelpDocument::locate(), QDir(m_first.path()).absoluteFilePath(cHelpDocument::fileName()));
}

void tst_help::locatePrefersEarlierFolder()
{
    const QStringList folders = {m_first.path(), m_second.path()};
    putGuide(m_second.path());
    QCOMPARE(cHelpDocument::locate(folders), m_second.filePath(cHelpDocument::fileName()));
    putGuide(m_first.path());
    QCOMPARE(cHelpDocument::locate(folders), m_first.filePath(cHelpDocument::fileName()));
}

void tst_help::locateFindsNothing()
{
    // A folder by the guide's name is not the guide.
    QVERIFY(QDir(m_second.path()).mkdir(cHelpDocument::fileName()));
    QVERIFY(cHelpDocument::locate({m_first.path(), m_second.path()}).isEmpty());
    QVERIFY(QDir(m_second.filePath(cHelpDocument::fileName())).removeRecursively());
}

void tst_help::openWithoutGuideSaysWhereItLooked()
{
    QVERIFY(QDir::setCurrent(m_first.path()));
    if (!cHelpDocument::locate().isEmpty())
        QSKIP("A guide is installed on this machine");
    boxAnswerer answerer;
    QVERIFY(!cHelpDocument::open(nullptr));
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(answerer.titles.first(), QStringLiteral("Help"));
    const QString text = answerer.texts.first();
    QVERIFY2(text.contains(QStringLiteral("\"HELP.pdf\" was not found")), qPrintable(text));
    for (const QString &folder : cHelpDocument::folders())
        QVERIFY2(text.contains(QDir::toNativeSeparators(folder)), qPrintable(folder));
}

// The desktop has no PDF viewer: its xdg-open fails at once.
void tst_help::noViewerOffersFolder()
{
    const QString log = m_second.filePath(QStringLiteral("opened"));
    QFile script(m_second.filePath(QStringLiteral("xdg-open")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\necho \"$1\" >> '%1'\nexit 3\n").arg(log).toUtf8());
    QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
    script.close();
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", m_second.path().toUtf8() + ':' + path);
    putGuide(m_first.path());
    boxAnswerer answerer({QStringLiteral("Open Folder")});
    QVERIFY(cHelpDocument::open(nullptr, {m_first.path()}));
    QTRY_COMPARE(answerer.count(), 2);
    qputenv("PATH", path);
    const QString guide = m_first.filePath(cHelpDocument::fileName());
    QVERIFY2(answerer.texts.first().endsWith(QDir::toNativeSeparators(guide)), qPrintable(answerer.texts.first()));
    QFile opened(log);
    QVERIFY(opened.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(opened.readAll()), guide + '\n' + m_first.path() + '\n');
}

void tst_help::builtGuideIsPdf()
{
    QFile file(QStringLiteral(ZT_HELP_PDF));
    QVERIFY2(file.open(QIODevice::ReadOnly), ZT_HELP_PDF);
    const QByteArray pdf = file.readAll();
    QVERIFY(pdf.startsWith("%PDF"));
    // Page objects, less the page tree's own "/Type /Pages".
    const int pages = pdf.count("/Type /Page") - pdf.count("/Type /Pages");
    QVERIFY2(pages > minimumPages, qPrintable(QString::number(pages)));
    // Embedded fonts: the text is drawn, not left to the reader's fonts.
    QVERIFY(pdf.contains("/FontFile2"));
}

void tst_help::guideQuotesMessages_data()
{
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    const QList<QPair<const char *, QStringList>> messages = {
        {"mainClass",
         {"Operation not posible", "The port %1 does not exist",
          "Access to the port %1 is denied: no permission to use it", "The port %1 cannot be opened",
          "The port %1 is busy with an external process",
          "The port %1 did not open in time. Try again in a moment.",
          "The start address must not be above the end address.",
          "No port is chosen. Choose the port of the bus in the search settings.", "Warning",
          "Are you sure?", "Search Completed", "Found Devices: %1", "Nothing Found", "Search Incomplete",
          "The port %1 was lost at address %2, %3.\nThe search is incomplete: from address %2 on "
          "nothing was searched. Modules found: %4.",
          "The device server %1 refused the connection: nothing listens at that port", "set by the device server",
          "About zt programm",
          "\n\nThis program build with Qt library, that using under the GNU LGPL version 2.1",
          "Waiting for action", "Search modules", "Pause in search"}},
        {"cSrchSettings",
         {"Operation is not possible", "COM Port is not selected.", "Baud Rate value is not selected.",
          "Configuration Port value is not selected.", "%1 (missing)"}},
        {"cChannelSelection", {"Operation not posible", "You must select a channel for editing."}},
        {"cDlgVrd_3310",
         {"Operation not posible", "The list of found modules is empty.",
          "A module with this address already exists in the list.",
          "The module has not reported its current settings yet. Wait until the table shows them, "
          "then try again.",
          "Enter the sensor ID as \"0x\" followed by 1 to 16 hexadecimal digits.", "Warning",
          "  After executing this command,", "you return to the factory settings.", "       Are you sure?",
          "No answer from the module since %1: the values shown are not current.",
          "VRD-%1 at address %2 - %3, %4 %5"}},
        {"cShareFunction",
         {"To Progress", "Save Error", "Incorrect sequence of actions", "Invalid Value",
          "Calibration points are too close", "Is Successful", "Restore settings. Expect ...", "Progress"}},
        {"cHelpDocument",
         {"Help", "The help document \"%1\" was not found. It was looked for in these folders:\n%2",
          "The help document could not be shown: no program to view PDF files could be started. The "
          "document is here:\n%1",
          "Open Folder", "The folder %1 could not be opened either."}},
        {"mainClass", {"Save Found Modules...", "Bus Traffic...", "The file %1 cannot be written."}},
        {"cBusMonitor", {"Bus Traffic", "Pause", "Address:", "Clear", "Save..."}},
        {"cFrameDecoder", {"time-out", "CRC error", "exception %1", "refused: wrong address or function"}},
        {"cLanguageMenu", {"Language", "The new language takes effect when the program is started again."}},
    };
    for (const auto &group : messages)
        for (const QString &source : group.second)
            QTest::addRow("%s: %s", group.first, qPrintable(source.simplified()))
                << QString::fromLatin1(group.first) << source;
}

// Every piece of the Russian text between its placeholders and line breaks.
void tst_help::guideQuotesMessages()
{
    QFETCH(QString, context);
    QFETCH(QString, source);
    const QString translation = translationOf(context, source);
    if (translation.isEmpty())
        QSKIP("The program no longer has this text");
    static const QString guide = guideText();
    QVERIFY(!guide.isEmpty());
    const QStringList pieces = translation.split(QRegularExpression(QStringLiteral("%\\d+|\\n")));
    for (const QString &piece : pieces) {
        const QString quoted = piece.simplified();
        QVERIFY2(quoted.isEmpty() || guide.contains(quoted), qPrintable(quoted));
    }
}

QTEST_MAIN(tst_help)
#include "tst_help.moc"
