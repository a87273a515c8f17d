#include <QtTest>
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QStyleOption>
#include <QTabBar>
#include <QTableWidget>
#include <QTextDocument>
#include <QToolButton>
#include <QTranslator>
#include <memory>

#include "cConfigBatchDialog.h"
#include "cConfigResultsDialog.h"
#include "cDlgVrd_3310.h"
#include "cShareFunction.h"
#include "cSrchSettings.h"
#include "cTranslations.h"
#include "windowFixture.h"

// In either language, no text of the three windows is cut at their written sizes.
class tst_textfit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data();
    void initTestCase();
    void cleanup();
    void windowTextsFit_data();
    void windowTextsFit();
    void calibrStatusFits_data();
    void calibrStatusFits();
    void boxTitleFits_data();
    void boxTitleFits();

private:
    QWidget *open(const QString &window);
    cDlgVrd_3310 *openModuleDialog();
    QWidget *openConfigDialog(const QString &window);

    std::unique_ptr<windowFixture> m_fixture;
    std::unique_ptr<cSrchSettings> m_search;
    std::unique_ptr<cDlgVrd_3310> m_dialog;
    std::unique_ptr<QWidget> m_other;
};

namespace {

// Offscreen there is no window manager: the room its title bar takes beside
// the title (icon, close and maximise buttons) is an allowance of ours.
constexpr int titleBarDecorations = 100;
// Offscreen Qt falls back to 12 pt; desktops give 9 pt (Qt's generic Unix
// theme, Windows) or 10 pt (KDE). Measure at the larger, in the platform's face.
constexpr int desktopPointSize = 10;
// Wide enough that no style's minimum size clamps the content.
constexpr int wideContent = 1000;

struct fit_t
{
    QString name;
    QString text;
    int need;
    int room;
};

// A button's or tab's text as shown: '&' marks a shortcut, "&&" is an '&'.
QString shown(QString text)
{
    return text.replace(QLatin1String("&&"), QLatin1String("\x01")).remove(QLatin1Char('&'))
        .replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

int textWidth(const QFontMetrics &fm, const QString &text)
{
    int widest = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        widest = qMax(widest, fm.horizontalAdvance(line));
    return widest;
}

// What the style adds around a content of the given type.
int padding(const QWidget *w, QStyle::ContentsType type, const QStyleOption &opt)
{
    return w->style()->sizeFromContents(type, &opt, QSize(wideContent, 20), w).width() - wideContent;
}

// QLabel's own text rectangle: the contents less margin and, beside a frame,
// its implicit indent on the aligned side.
int labelRoom(const QLabel *l)
{
    int room = l->contentsRect().width() - 2 * l->margin();
    int indent = l->indent();
    if (indent < 0 && l->frameWidth() > 0)
        indent = l->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - l->margin();
    if (indent > 0 && (l->alignment() & (Qt::AlignLeft | Qt::AlignRight)))
        room -= indent;
    return room;
}

// A wrapping label is cut when its lines need more height than it has, or
// when one word is wider than it.
void addWrappedLabel(QList<fit_t> &fits, const QLabel *l)
{
    int widestWord = 0;
    for (const QString &word : l->text().split(QRegularExpression(QStringLiteral("\\s+"))))
        widestWord = qMax(widestWord, textWidth(l->fontMetrics(), word));
    fits << fit_t{l->objectName(), l->text(), widestWord, labelRoom(l)}
         << fit_t{l->objectName() + QStringLiteral(" (height)"), l->text(), l->heightForWidth(l->width()),
                  l->height()};
}

void addLabel(QList<fit_t> &fits, const QLabel *l)
{
    const bool rich = l->textFormat() == Qt::RichText
        || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
    if (l->text().isEmpty() || rich)
        return;
    if (l->wordWrap())
        return addWrappedLabel(fits, l);
    fits << fit_t{l->objectName(), l->text(), textWidth(l->fontMetrics(), l->text()), labelRoom(l)};
}

void addToolButton(QList<fit_t> &fits, const QToolButton *b)
{
    QStyleOptionToolButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    opt.toolButtonStyle = Qt::ToolButtonTextOnly;
    const int need = textWidth(b->fontMetrics(), shown(b->text())) + padding(b, QStyle::CT_ToolButton, opt);
    fits << fit_t{b->objectName(), b->text(), need, b->width()};
}

void addButton(QList<fit_t> &fits, const QAbstractButton *b)
{
    if (b->text().isEmpty())
        return;
    // A tool button with an icon shows no text.
    if (auto *tool = qobject_cast<const QToolButton *>(b)) {
        if (tool->icon().isNull())
            addToolButton(fits, tool);
        return;
    }
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    opt.icon = b->icon();
    opt.iconSize = b->iconSize();
    QStyle::ContentsType type = QStyle::CT_PushButton;
    if (qobject_cast<const QCheckBox *>(b))
        type = QStyle::CT_CheckBox;
    else if (qobject_cast<const QRadioButton *>(b))
        type = QStyle::CT_RadioButton;
    const int icon = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
    const int need = textWidth(b->fontMetrics(), shown(b->text())) + icon + padding(b, type, opt);
    fits << fit_t{b->objectName(), b->text(), need, b->width()};
}

// The style places the title; it must end as far from the right edge as it
// starts from the left.
void addGroupBox(QList<fit_t> &fits, const QGroupBox *g)
{
    if (g->title().isEmpty())
        return;
    QStyleOptionGroupBox opt;
    opt.initFrom(g);
    opt.text = g->title();
    opt.textAlignment = g->alignment();
    opt.lineWidth = 1;
    opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (g->isCheckable())
        opt.subControls |= QStyle::SC_GroupBoxCheckBox;
    const QRect label = g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
    fits << fit_t{g->objectName(), g->title(), label.right() + 1 + qMax(0, label.left()), g->width()};
}

// A tool button over the bar's row (the dialog's "Bus") covers a tab from its left edge on.
int uncovered(const QTabBar *bar, const QRect &tab)
{
    const QRect inWindow(bar->mapTo(bar->window(), tab.topLeft()), tab.size());
    int right = inWindow.right() + 1;
    for (const QToolButton *b : bar->window()->findChildren<QToolButton *>())
        if (b->isVisible() && !bar->isAncestorOf(b) && inWindow.intersects(QRect(b->mapTo(bar->window(), QPoint()), b->size())))
            right = qMin(right, b->mapTo(bar->window(), QPoint()).x());
    return right - inWindow.left();
}

// A tab is cut when narrower than its text, scrolled out of the bar or covered.
void addTabs(QList<fit_t> &fits, const QTabBar *bar)
{
    const QString owner = bar->parentWidget() ? bar->parentWidget()->objectName() : bar->objectName();
    for (int i = 0; i < bar->count(); ++i) {
        QStyleOptionTab opt;
        opt.initFrom(bar);
        opt.shape = bar->shape();
        opt.text = bar->tabText(i);
        const int hspace = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &opt, bar);
        const QSize content(textWidth(bar->fontMetrics(), shown(opt.text)) + hspace, bar->fontMetrics().height());
        const int need = bar->style()->sizeFromContents(QStyle::CT_TabBarTab, &opt, content, bar).width();
        const QRect tab = bar->tabRect(i);
        const int visible = qMin(qMin(tab.right() + 1, bar->width()) - qMax(tab.left(), 0), uncovered(bar, tab));
        fits << fit_t{QStringLiteral("%1 tab %2").arg(owner).arg(i), opt.text, need, qMin(tab.width(), visible)};
    }
}

void addHeader(QList<fit_t> &fits, const QTableView *table)
{
    const QHeaderView *header = table->horizontalHeader();
    if (header->isHidden())
        return;
    QFont font = header->font();
    // A highlighted section is drawn in bold.
    font.setBold(header->highlightSections());
    for (int i = 0; i < header->count(); ++i) {
        if (header->isSectionHidden(i))
            continue;
        QStyleOptionHeader opt;
        opt.initFrom(header);
        opt.fontMetrics = QFontMetrics(font);
        opt.text = table->model()->headerData(i, Qt::Horizontal).toString();
        opt.section = i;
        const int need = header->style()->sizeFromContents(QStyle::CT_HeaderSection, &opt, QSize(), header).width();
        fits << fit_t{QStringLiteral("%1 header %2").arg(table->objectName()).arg(i), opt.text, need,
                      header->sectionSize(i)};
    }
}

void addRowLabels(QList<fit_t> &fits, const QTableWidget *table)
{
    QStyleOptionViewItem opt;
    opt.initFrom(table->viewport());
    opt.font = table->font();
    opt.fontMetrics = table->fontMetrics();
    opt.widget = table;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QModelIndex index = table->model()->index(row, 0);
        const QString text = index.data().toString();
        if (text.isEmpty())
            continue;
        fits << fit_t{QStringLiteral("%1 row %2").arg(table->objectName()).arg(row), text,
                      table->itemDelegate()->sizeHint(opt, index).width(), table->visualRect(index).width()};
    }
}

QList<fit_t> fitsOf(const QWidget *window)
{
    QList<fit_t> fits;
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisible())
            continue;
        if (auto *l = qobject_cast<const QLabel *>(w))
            addLabel(fits, l);
        else if (auto *b = qobject_cast<const QAbstractButton *>(w))
            addButton(fits, b);
        else if (auto *g = qobject_cast<const QGroupBox *>(w))
            addGroupBox(fits, g);
        else if (auto *bar = qobject_cast<const QTabBar *>(w))
            addTabs(fits, bar);
        if (auto *table = qobject_cast<const QTableView *>(w))
            addHeader(fits, table);
        if (auto *table = qobject_cast<const QTableWidget *>(w))
            addRowLabels(fits, table);
    }
    return fits;
}

QStringList cut(const QList<fit_t> &fits)
{
    QStringList offenders;
    for (const fit_t &f : fits) {
        if (f.need > f.room) {
            QString text = f.text;
            offenders << QStringLiteral("%1 \"%2\": needs %3 px, has %4")
                             .arg(f.name, text.replace(QLatin1Char('\n'), QLatin1String("\\n")))
                             .arg(f.need)
                             .arg(f.room);
        }
    }
    return offenders;
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::processEvents();
}

} // namespace

void tst_textfit::initTestCase_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("Russian") << int(cTranslations::Russian);
    QTest::newRow("English") << int(cTranslations::English);
}

void tst_textfit::initTestCase()
{
    QFont font = QApplication::font();
    font.setPointSize(desktopPointSize);
    QApplication::setFont(font);
    // Where the program looks for its translation first.
    QVERIFY(QDir::setCurrent(QFileInfo(QStringLiteral(ZT_QM_FILE)).absolutePath()));
}

void tst_textfit::cleanup()
{
    m_dialog.reset();
    m_other.reset();
    m_search.reset();
    m_fixture.reset();
}

// In the language chosen and installed as at start; Qt's "Cancel" follows it.
QWidget *tst_textfit::open(const QString &window)
{
    QFETCH_GLOBAL(int, language);
    m_fixture = std::make_unique<windowFixture>();
    cTranslations::chooseLanguage(cTranslations::language_t(language));
    qDeleteAll(qApp->findChildren<QTranslator *>());
    cTranslations::install(*qApp);
    if (QCoreApplication::translate("QPlatformTheme", "Cancel") != (language ? "Cancel" : "Отмена"))
        return nullptr;
    mainClass *main = m_fixture->open();
    if (window == QLatin1String("main") || window == QLatin1String("language"))
        return main;
    if (window == QLatin1String("batch") || window == QLatin1String("results"))
        return openConfigDialog(window);
    if (window == QLatin1String("search")) {
        m_search = std::make_unique<cSrchSettings>(srchSettings_t());
        m_search->show();
        return m_search.get();
    }
    return openModuleDialog();
}

// Each with its widest contents: every option shown, a result row.
QWidget *tst_textfit::openConfigDialog(const QString &window)
{
    cModuleConfig file;
    file.setIdentity(3310, 2, 0, QDate());
    if (window == QLatin1String("batch")) {
        auto *batch = new cConfigBatchDialog(m_fixture->window.get(), {});
        batch->prepareApply(QStringLiteral("addr005_VRD-3310_01.json"), file);
        m_other.reset(batch);
    } else {
        auto *results = new cConfigResultsDialog(m_fixture->window.get());
        results->showComparison(cConfigComparison(file, file), QString());
        results->showChanges(cConfigComparison(file, file), true);
        m_other.reset(results);
    }
    m_other->show();
    return m_other.get();
}

// The Pt1000 variant: its tab title is the longer one.
cDlgVrd_3310 *tst_textfit::openModuleDialog()
{
    m_dialog = std::make_unique<cDlgVrd_3310>(quint8(1), m_fixture->window.get(), m_fixture->window.get());
    m_dialog->setModuleInfo(5, 3310);
    m_dialog->show();
    return m_dialog.get();
}

void tst_textfit::windowTextsFit_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("subTab");
    QTest::newRow("main window") << "main" << 0 << 0;
    QTest::newRow("search settings") << "search" << 0 << 0;
    QTest::newRow("configurations of modules") << "batch" << 0 << 0;
    QTest::newRow("module configuration") << "results" << 0 << 0;
    QTest::newRow("module: communication") << "module" << 0 << 0;
    QTest::newRow("module: system") << "module" << 0 << 1;
    for (int tab = 1; tab < 7; ++tab)
        QTest::addRow("module: tab %d", tab) << "module" << tab << 0;
}

void tst_textfit::windowTextsFit()
{
    QFETCH(QString, window);
    QFETCH(int, tab);
    QFETCH(int, subTab);
    QWidget *opened = open(window);
    QVERIFY(opened);
    if (m_dialog) {
        m_dialog->ui.tabMain_3110->setCurrentIndex(tab);
        m_dialog->ui.tabGeneral_3110->setCurrentIndex(subTab);
    }
    QVERIFY(QTest::qWaitForWindowExposed(opened));
    settle();
    const QList<fit_t> fits = fitsOf(opened);
    QVERIFY(!fits.isEmpty());
    const QStringList offenders = cut(fits);
    QVERIFY2(offenders.isEmpty(), qPrintable(QStringLiteral("Cut texts:\n  ") + offenders.join(QLatin1String("\n  "))));
}

// The status lines are written at run time; each verdict must fit.
void tst_textfit::calibrStatusFits_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("label");
    QTest::newRow("Pt") << 3 << "lbResultCalibrPT_3110";
    QTest::newRow("AI") << 4 << "lbResultCalibrAI_3110";
    QTest::newRow("AO") << 5 << "lbResultCalibrAO_3110";
}

void tst_textfit::calibrStatusFits()
{
    QFETCH(int, tab);
    QFETCH(QString, label);
    QVERIFY(open(QStringLiteral("module")));
    m_dialog->ui.tabMain_3110->setCurrentIndex(tab);
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    auto *status = m_dialog->findChild<QLabel *>(label);
    QVERIFY(status);
    QStringList offenders;
    // The three panels share one list of verdicts.
    for (const QString &text : cShareFunction::ptCalibrStatusList()) {
        status->setText(text);
        settle();
        QList<fit_t> fits;
        addLabel(fits, status);
        offenders << cut(fits);
    }
    QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join(QLatin1String("\n  "))));
}

void tst_textfit::boxTitleFits_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("closing the main window") << "main";
    QTest::newRow("factory reset") << "module";
    QTest::newRow("choosing the other language") << "language";
}

// The box is modal: it is measured and dismissed from a timer while open.
void tst_textfit::boxTitleFits()
{
    QFETCH(QString, window);
    QFETCH_GLOBAL(int, language);
    QVERIFY(open(window));
    QString title;
    int need = 0;
    int room = 0;
    QTimer poll;
    poll.setInterval(5);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        title = box->windowTitle();
        const QFontMetrics fm(QApplication::font("QMdiSubWindowTitleBar"));
        need = fm.horizontalAdvance(title) + titleBarDecorations;
        room = box->width();
        box->reject();
    });
    poll.start();
    const int other = 1 - language; // the menu's other entry
    if (m_dialog)
        QTest::mouseClick(m_dialog->ui.pBtSetFactory_3110, Qt::LeftButton);
    else if (window == QLatin1String("language"))
        m_fixture->window->findChild<QMenu *>(QStringLiteral("menuLanguage"))->actions().at(other)->trigger();
    else
        m_fixture->window->close();
    poll.stop();
    QVERIFY(!title.isEmpty());
    QVERIFY2(need <= room,
             qPrintable(QStringLiteral("\"%1\" needs %2 px, the box has %3").arg(title).arg(need).arg(room)));
    QCOMPARE(int(cTranslations::chosenLanguage()), window == QLatin1String("language") ? other : language);
}

QTEST_MAIN(tst_textfit)
#include "tst_textfit.moc"
