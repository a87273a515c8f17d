#include <QtTest>

#include <QImageReader>
#include <QTranslator>

#include "cSimBus.h"
#include "headlessProgram.h"

// cmake --install into a temporary prefix: the files land where the program
// looks for them, and the installed program searches a bus.
class tst_install : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void installedFiles_data();
    void installedFiles();
    void iconSizes_data();
    void iconSizes();
    void desktopEntry_data();
    void desktopEntry();
    void translationLoads();
    void packageFields();
    void installedProgramSearches();
    void installedModuleLoads();

private:
    QString installed(const QString &path) const { return m_prefix.filePath(path); }

    QTemporaryDir m_prefix;
};

namespace {

const QString program = QStringLiteral("bin/ztModBusUtility");
const QString translation = QStringLiteral("share/ztModBusUtility/translations/ztModBusUtility_ru.qm");
const QString desktopFile = QStringLiteral("share/applications/ztModBusUtility.desktop");

QString iconPath(int size)
{
    return QStringLiteral("share/icons/hicolor/%1x%1/apps/ztModBusUtility.png").arg(size);
}

} // namespace

void tst_install::initTestCase()
{
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(ZT_CMAKE),
                  {"--install", QStringLiteral(ZT_BINARY_DIR), "--prefix", m_prefix.path()});
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
             install.readAll().constData());
}

void tst_install::installedFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("program") << program;
    QTest::newRow("window module") << "lib/ztModBusUtility/ztModBusUtilityGui.so";
    QTest::newRow("translation") << translation;
    QTest::newRow("desktop entry") << desktopFile;
    QTest::newRow("copyright") << "share/doc/ztmodbusutility/copyright";
    // The guide is installed when the build made one.
    if (QFileInfo::exists(QStringLiteral(ZT_BINARY_DIR "/HELP.pdf")))
        QTest::newRow("user guide") << "share/ztModBusUtility/HELP.pdf";
}

void tst_install::installedFiles()
{
    QFETCH(QString, path);
    QVERIFY2(QFileInfo(installed(path)).isFile(), qPrintable(path));
    if (path != program)
        return;
    QVERIFY(QFileInfo(installed(path)).isExecutable());
    QFile binary(installed(path));
    QVERIFY(binary.open(QIODevice::ReadOnly));
#ifndef ZT_SANITIZED // whose reports need the symbols
    QVERIFY2(!binary.readAll().contains(".debug_info"), "the installed program is not stripped");
#endif
}

void tst_install::iconSizes_data()
{
    QTest::addColumn<int>("size");
    for (int size : {48, 64, 128})
        QTest::newRow(qPrintable(QString::number(size))) << size;
}

void tst_install::iconSizes()
{
    QFETCH(int, size);
    QImageReader icon(installed(iconPath(size)));
    QCOMPARE(icon.format(), QByteArray("png"));
    QCOMPARE(icon.size(), QSize(size, size));
}

void tst_install::desktopEntry_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("group") << "[Desktop Entry]";
    QTest::newRow("type") << "Type=Application";
    QTest::newRow("name") << "Name=ZT ModBus Utility";
    QTest::newRow("Russian name") << "Name[ru]=Утилита ZT ModBus";
    QTest::newRow("command") << "Exec=ztModBusUtility";
    QTest::newRow("icon") << "Icon=ztModBusUtility";
}

void tst_install::desktopEntry()
{
    QFETCH(QString, line);
    QFile entry(installed(desktopFile));
    QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
    QVERIFY2(QString::fromUtf8(entry.readAll()).split(QLatin1Char('\n')).contains(line), qPrintable(line));
}

// Where the program looks: ../share/ztModBusUtility/translations beside bin/.
void tst_install::translationLoads()
{
    QTranslator translator;
    QVERIFY(translator.load(QDir(installed(QStringLiteral("bin"))).filePath(
        QStringLiteral("../share/ztModBusUtility/translations/ztModBusUtility_ru.qm"))));
    QVERIFY(!translator.isEmpty());
}

// What cpack -G DEB is told, as the configured build hands it over: the
// packages of the Qt it was built with.
void tst_install::packageFields()
{
    QFile config(QStringLiteral(ZT_BINARY_DIR "/CPackConfig.cmake"));
    QVERIFY(config.open(QIODevice::ReadOnly));
    const QByteArray text = config.readAll();
    QVERIFY(text.contains("set(CPACK_PACKAGE_CONTACT \"ztModBusUtility developers <ztmodbusutility@example.org>\")"));
    const bool qt6 = QT_VERSION_MAJOR == 6;
    QVERIFY(text.contains(qt6 ? "set(CPACK_DEBIAN_PACKAGE_DEPENDS \"xdg-utils, qt6-qpa-plugins\")"
                              : "set(CPACK_DEBIAN_PACKAGE_DEPENDS \"xdg-utils\")"));
    QVERIFY(text.contains(qt6 ? "set(CPACK_DEBIAN_PACKAGE_RECOMMENDS \"qt6-translations-l10n, "
                              : "set(CPACK_DEBIAN_PACKAGE_RECOMMENDS \"qttranslations5-l10n, "));
}

void tst_install::installedProgramSearches()
{
    cSimBus bus;
    QVERIFY(bus.start());
    bus.addModule(5, 9600, 0);
    headlessProgram scan(installed(program));
    QVERIFY(scan.run({"--scan", "--port", bus.portPath(), "--from", "4", "--to", "6", "--timeout", "50"}));
    QCOMPARE(scan.exitCode(), 0);
    QCOMPARE(scan.outputLines().mid(0, 2), QStringList({"sep=,", "address,device,variant,baud,format,description,port,searched"}));
    QVERIFY(scan.outputLines().value(2).startsWith("5,VRD-3310,01,9600,8N1,8:DI 8:DO 2:AI 5:AO 4:PT1000 10:DS18B20," + bus.portPath() + ','));
}

// The report's PDF comes from the module the program loads from ../lib.
void tst_install::installedModuleLoads()
{
    cSimBus bus;
    QVERIFY(bus.start());
    headlessProgram scan(installed(program));
    const QString report = m_prefix.filePath(QStringLiteral("report.pdf"));
    QVERIFY(scan.run({"--scan", "--port", bus.portPath(), "--from", "4", "--to", "4", "--report", report}));
    QVERIFY2(scan.exitCode() == 1, scan.errors.constData());
    QVERIFY(QFile(report).size() > 0);
}

QTEST_GUILESS_MAIN(tst_install)
#include "tst_install.moc"
