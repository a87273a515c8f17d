#include <QtTest>
#include <QDialogButtonBox>
#include <QMenuBar>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>

#include "cPortList.h"
#include "cSrchSettings.h"
#include "cTranslations.h"
#include "mainClass.h"

// The Russian translation: complete, compiled, in step with the sources.
class tst_translation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tsIsComplete();
    void tsKeepsMarkup();
    void qmResolves_data();
    void qmResolves();
    void qmMatchesTs();
    void programFoldersInOrder();
    void firstFolderWins_data();
    void firstFolderWins();
    void qtTranslationLoads();
    void windowsUseTranslation();
    void tsInStepWithSources();

private:
    QTemporaryDir m_home;
};

namespace {

struct tsMessage
{
    QString context;
    QString source;
    QString comment;
    QStringList translations; // one, or one per plural form
    QString type;
};

QList<tsMessage> readTs(const QString &path, QString *error)
{
    QList<tsMessage> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    tsMessage current;
    bool inMessage = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("context")) {
                context.clear();
            } else if (name == QLatin1String("name") && !inMessage) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                current = tsMessage();
                current.context = context;
                inMessage = true;
            } else if (inMessage && name == QLatin1String("source")) {
                current.source = xml.readElementText();
            } else if (inMessage && name == QLatin1String("comment")) {
                current.comment = xml.readElementText();
            } else if (inMessage && name == QLatin1String("translation")) {
                current.type = xml.attributes().value(QLatin1String("type")).toString();
                // Plural forms nest <numerusform>; plain ones carry the text.
                QString text;
                while (!xml.atEnd()) {
                    xml.readNext();
                    if (xml.isCharacters())
                        text += xml.text();
                    else if (xml.isStartElement() && xml.name() == QLatin1String("numerusform"))
                        current.translations << xml.readElementText();
                    else if (xml.isEndElement() && xml.name() == QLatin1String("translation"))
                        break;
                }
                if (current.translations.isEmpty())
                    current.translations << text;
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            messages << current;
            inMessage = false;
        }
    }
    if (xml.hasError())
        *error = QStringLiteral("%1 at line %2").arg(xml.errorString()).arg(xml.lineNumber());
    return messages;
}

QList<tsMessage> readTsOrFail(const QString &path)
{
    QString error;
    const QList<tsMessage> messages = readTs(path, &error);
    if (!error.isEmpty())
        qWarning("%s: %s", qPrintable(path), qPrintable(error));
    return error.isEmpty() ? messages : QList<tsMessage>();
}

QString describe(const tsMessage &m)
{
    QString text = m.source;
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return QStringLiteral("[%1] \"%2\"").arg(m.context, text);
}

QString edges(const QString &text)
{
    int head = 0;
    while (head < text.size() && text.at(head).isSpace())
        ++head;
    int tail = text.size();
    while (tail > head && text.at(tail - 1).isSpace())
        --tail;
    return text.left(head) + QLatin1Char('|') + text.mid(tail);
}

QStringList placeholders(const QString &text)
{
    QStringList found;
    QRegularExpressionMatchIterator it = QRegularExpression(QStringLiteral("%L?\\d+")).globalMatch(text);
    while (it.hasNext())
        found << it.next().captured();
    found.sort();
    return found;
}

int accelerators(QString text)
{
    return text.remove(QLatin1String("&&")).count(QLatin1Char('&'));
}

} // namespace

void tst_translation::initTestCase()
{
    // The main window reads and writes its settings; keep them out of $HOME.
    QVERIFY(m_home.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_home.path());
    cPortList::replace([] { return QStringList(); }); // the system's list would open its ports
    QVERIFY2(QFile::exists(QStringLiteral(ZT_QM_FILE)), ZT_QM_FILE);
}

void tst_translation::tsIsComplete()
{
    const QList<tsMessage> messages = readTsOrFail(QStringLiteral(ZT_TS_FILE));
    QVERIFY(!messages.isEmpty());
    QStringList offenders;
    for (const tsMessage &m : messages) {
        bool empty = false;
        for (const QString &t : m.translations)
            empty = empty || t.isEmpty();
        if (empty)
            offenders << describe(m) + QStringLiteral(" (empty)");
        else if (!m.type.isEmpty())
            offenders << describe(m) + QStringLiteral(" (%1)").arg(m.type);
    }
    QVERIFY2(offenders.isEmpty(),
             qPrintable(QStringLiteral("Untranslated messages:\n  ") + offenders.join(QLatin1String("\n  "))));
}

void tst_translation::tsKeepsMarkup()
{
    const QList<tsMessage> messages = readTsOrFail(QStringLiteral(ZT_TS_FILE));
    QStringList offenders;
    for (const tsMessage &m : messages) {
        for (const QString &t : m.translations) {
            if (t.isEmpty())
                continue; // reported by tsIsComplete
            if (placeholders(t) != placeholders(m.source))
                offenders << describe(m) + QStringLiteral(" placeholders");
            if (accelerators(t) != accelerators(m.source))
                offenders << describe(m) + QStringLiteral(" accelerator");
            if (edges(t) != edges(m.source))
                offenders << describe(m) + QStringLiteral(" leading/trailing whitespace");
        }
    }
    QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join(QLatin1String("\n  "))));
}

void tst_translation::qmResolves_data()
{
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    auto row = [](const char *context, const char *source, const char *expected) {
        QTest::addRow("%s: %s", context, source)
            << QString::fromUtf8(context) << QString::fromUtf8(source) << QString::fromUtf8(expected);
    };
    row("mainClass", "Waiting for action", "Ожидание действия");
    row("mainClass", "Are you sure?", "Вы уверены?");
    row("mainClass", "Found Devices: %1", "Найдено устройств: %1");
    row("mainClassClass", "Port Configuration:", "Конфигурация порта:");
    row("mainClassClass", "Baud Rate", "Скорость");
    row("srchSettings", "Search Settings", "Настройки поиска");
    row("cSrchSettings", "Close", "Закрыть");
    row("cShareFunction", "Restore settings. Expect ...", "Восстановление настроек. Ожидайте ...");
}

void tst_translation::qmResolves()
{
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(QString, expected);
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(ZT_QM_FILE)));
    QCOMPARE(translator.translate(context.toUtf8().constData(), source.toUtf8().constData()), expected);
}

// A stale .qm (not rebuilt after the .ts changed) shows up here.
void tst_translation::qmMatchesTs()
{
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(ZT_QM_FILE)));
    QStringList offenders;
    for (const tsMessage &m : readTsOrFail(QStringLiteral(ZT_TS_FILE))) {
        if (m.translations.size() != 1 || !m.type.isEmpty())
            continue;
        const QByteArray comment = m.comment.toUtf8();
        const QString got = translator.translate(m.context.toUtf8().constData(), m.source.toUtf8().constData(),
                                                 comment.isEmpty() ? nullptr : comment.constData());
        if (got != m.translations.first())
            offenders << describe(m);
    }
    QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join(QLatin1String("\n  "))));
}

void tst_translation::programFoldersInOrder()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    const QStringList expected{QDir::currentPath(), programDir,
                               QDir::cleanPath(programDir + QStringLiteral("/../share/ztModBusUtility/translations"))};
    QCOMPARE(cTranslations::programFolders(), expected);
}

// Which of three folders hold the translation, and which one is taken.
void tst_translation::firstFolderWins_data()
{
    QTest::addColumn<QString>("holding");
    QTest::addColumn<int>("taken");
    QTest::newRow("all") << "111" << 0;
    QTest::newRow("second and third") << "011" << 1;
    QTest::newRow("third") << "001" << 2;
    QTest::newRow("none") << "000" << -1;
}

void tst_translation::firstFolderWins()
{
    QFETCH(QString, holding);
    QFETCH(int, taken);
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    QStringList folders;
    for (int i = 0; i < holding.size(); ++i) {
        folders << scratch.filePath(QString::number(i));
        QVERIFY(QDir().mkpath(folders.last()));
        if (holding.at(i) == QLatin1Char('1'))
            QVERIFY(QFile::copy(QStringLiteral(ZT_QM_FILE), folders.last() + QStringLiteral("/ztModBusUtility_ru.qm")));
    }
    QTranslator translator;
    QCOMPARE(cTranslations::loadProgram(translator, folders), taken >= 0);
    if (taken < 0)
        return;
    QCOMPARE(QFileInfo(translator.filePath()).absolutePath(), QFileInfo(folders.at(taken)).absoluteFilePath());
    QCOMPARE(translator.translate("mainClass", "Waiting for action"), QString::fromUtf8("Ожидание действия"));
}

// Qt's own texts: the standard buttons of the message boxes.
void tst_translation::qtTranslationLoads()
{
    QTranslator translator;
    QVERIFY2(cTranslations::loadQt(translator), "qtbase_ru.qm is missing (Debian package qttranslations5-l10n)");
    QVERIFY(qApp->installTranslator(&translator));
    QDialogButtonBox buttons(QDialogButtonBox::Yes | QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Yes)->text(), QString::fromUtf8("&Да"));
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8("Отмена"));
    qApp->removeTranslator(&translator);
}

// Finds the translation the way the program does (first in the working
// directory) and checks that real windows come up translated.
void tst_translation::windowsUseTranslation()
{
    const QString saved = QDir::currentPath();
    QVERIFY(QDir::setCurrent(QFileInfo(QStringLiteral(ZT_QM_FILE)).absolutePath()));
    QTranslator translator;
    const bool loaded = cTranslations::loadProgram(translator, cTranslations::programFolders());
    QDir::setCurrent(saved);
    QVERIFY(loaded);
    QVERIFY(qApp->installTranslator(&translator));

    {
        mainClass window;
        window.show();
        QCOMPARE(window.ui.lbCurrStatus->text(), QString::fromUtf8("Ожидание действия"));
        QCOMPARE(window.ui.actionSrchSettings->text(), QString::fromUtf8("Настройки поиска"));
        QStringList menus;
        for (QAction *action : window.menuBar()->actions())
            menus << action->text();
        QVERIFY2(menus.contains(QString::fromUtf8("&Файл")), qPrintable(menus.join(QLatin1String(", "))));
        window.hide();
    }
    {
        cSrchSettings dialog{srchSettings_t()};
        QCOMPARE(dialog.windowTitle(), QString::fromUtf8("Настройки поиска"));
    }
    qApp->removeTranslator(&translator);
}

// lupdate over the sources into a scratch copy must find nothing new.
void tst_translation::tsInStepWithSources()
{
    QString lupdate;
#ifdef ZT_LUPDATE
    if (QFileInfo(QStringLiteral(ZT_LUPDATE)).isExecutable())
        lupdate = QStringLiteral(ZT_LUPDATE);
#endif
    if (lupdate.isEmpty())
        lupdate = QStandardPaths::findExecutable(QStringLiteral("lupdate"));
    if (lupdate.isEmpty())
        QSKIP("lupdate is not installed (Debian package qttools5-dev-tools)");
    const QString bash = QStandardPaths::findExecutable(QStringLiteral("bash"));
    if (bash.isEmpty())
        QSKIP("bash is not installed");

    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString copy = scratch.filePath(QStringLiteral("ztModBusUtility_ru.ts"));
    QVERIFY(QFile::copy(QStringLiteral(ZT_TS_FILE), copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);

    // The same script developers run, so the check cannot drift from it.
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LUPDATE"), lupdate);
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(bash, {QStringLiteral(ZT_SOURCE_DIR "/scripts/updateTranslations"), copy});
    QVERIFY2(process.waitForStarted(-1), qPrintable(process.errorString()));
    // No time limit of our own: the test runner's timeout guards a hang.
    QVERIFY(process.waitForFinished(-1));
    const QString output = QString::fromLocal8Bit(process.readAll());
    QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0, qPrintable(output));

    const QList<tsMessage> before = readTsOrFail(QStringLiteral(ZT_TS_FILE));
    const QList<tsMessage> after = readTsOrFail(copy);
    QVERIFY(!after.isEmpty());
    QSet<QString> known;
    for (const tsMessage &m : before)
        known.insert(describe(m) + QLatin1Char('\n') + m.comment);
    QSet<QString> present;
    QStringList fresh;
    for (const tsMessage &m : after) {
        const QString key = describe(m) + QLatin1Char('\n') + m.comment;
        present.insert(key);
        // Unfinished ones already in the .ts are tsIsComplete's to report.
        if (m.type == QLatin1String("unfinished") && !known.contains(key))
            fresh << describe(m);
    }
    // Texts gone from the code do no harm; mention them only.
    for (const tsMessage &m : before)
        if (!present.contains(describe(m) + QLatin1Char('\n') + m.comment))
            qInfo("No longer in the sources: %s", qPrintable(describe(m)));
    QVERIFY2(fresh.isEmpty(),
             qPrintable(QStringLiteral("Texts in the sources missing from the translation "
                                       "(run scripts/updateTranslations and translate them):\n  ")
                        + fresh.join(QLatin1String("\n  "))));
}

QTEST_MAIN(tst_translation)
#include "tst_translation.moc"
