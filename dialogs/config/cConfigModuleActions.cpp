#include "cConfigModuleActions.h"

#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QToolButton>

#include "cConfigFile.h"
#include "cConfigResultsDialog.h"
#include "cDlgVrd_3310.h"
#include "closeMessage.h"
#include "mainClass.h"

namespace {

const char *const fileFilter = QT_TRANSLATE_NOOP("cConfigModuleActions", "Module configuration (*.json)");

configParam_t safeResetParam()
{
    for (const configParam_t &p : cModuleConfig::parameters())
        if (p.scope == configScope_t::Program)
            return p;
    return configParam_t();
}

} // namespace

cConfigModuleActions::cConfigModuleActions(cDlgVrd_3310 *dialog, mainClass *owner)
    : QObject(dialog)
    , m_dialog(dialog)
    , m_owner(owner)
    , m_button(new QToolButton(dialog))
    , m_session(owner->worker())
{
    m_button->setObjectName(QStringLiteral("pBtConfig_3110"));
    m_button->setText(tr("Configuration"));
    m_button->setAutoRaise(true);
    m_button->setPopupMode(QToolButton::InstantPopup);
    auto *menu = new QMenu(m_button);
    menu->addAction(tr("Save configuration..."), this, &cConfigModuleActions::saveConfig);
    menu->addAction(tr("Compare with file..."), this, &cConfigModuleActions::compareWithFile);
    menu->addAction(tr("Apply file..."), this, &cConfigModuleActions::applyFile);
    m_button->setMenu(menu);
    connect(&m_session, &cConfigSession::readDone, this, &cConfigModuleActions::moduleRead);
    connect(&m_session, &cConfigSession::applyDone, this, &cConfigModuleActions::applied);
    connect(&m_session, &cConfigSession::moduleMoved, dialog, &cDlgVrd_3310::followModule);
}

void cConfigModuleActions::notPossible(const QString &text)
{
    showCloseMessage(m_dialog, QMessageBox::Critical, tr("Operation not posible"), text, tr("Close"));
}

void cConfigModuleActions::setBusy(bool busy)
{
    m_button->setEnabled(!busy);
}

// The module is read afresh for every action; then goes on with what it read.
void cConfigModuleActions::readModule(const std::function<void(const cModuleConfig &)> &then)
{
    m_then = then;
    setBusy(true);
    m_session.read(m_dialog->configTarget());
}

void cConfigModuleActions::moduleRead(const cModuleConfig &config, int result)
{
    setBusy(false);
    if (result != MB_OK || !config.isComplete())
        return notPossible(tr("The module's configuration cannot be read (error %1). Nothing was done.").arg(result));
    cModuleConfig withDialog = config;
    withDialog.setValue(safeResetParam(), quint64(m_dialog->ui.cBoxSafeActive_3110->currentIndex() == 1));
    m_then(withDialog);
}

void cConfigModuleActions::saveConfig()
{
    cModuleConfig named;
    named.setIdentity(cModuleConfig::moduleType, m_dialog->moduleVariant(), 0, QDate());
    const QString proposed = cConfigFile::fileName(m_dialog->configTarget().address, named);
    const QString path = QFileDialog::getSaveFileName(m_dialog, tr("Save Configuration"), proposed,
                                                      tr(fileFilter));
    if (path.isEmpty())
        return;
    readModule([this, path](const cModuleConfig &config) {
        QString error;
        if (!cConfigFile::save(path, config, &error))
            return notPossible(error);
        showCloseMessage(m_dialog, QMessageBox::Information, tr("Save Configuration"),
                         tr("The configuration was saved to %1.").arg(QDir::toNativeSeparators(path)), tr("Close"));
    });
}

// A file that cannot be read whole is refused before the module is asked.
bool cConfigModuleActions::openFile(cModuleConfig *file)
{
    const QString path = QFileDialog::getOpenFileName(m_dialog, tr("Open Configuration"), QString(),
                                                      tr(fileFilter));
    if (path.isEmpty())
        return false;
    QString error;
    if (!cConfigFile::load(path, file, &error)) {
        notPossible(tr("The file is refused, nothing is written: %1").arg(error));
        return false;
    }
    m_fileName = QDir::toNativeSeparators(path);
    return true;
}

void cConfigModuleActions::compareWithFile()
{
    cModuleConfig file;
    if (!openFile(&file))
        return;
    readModule([this, file](const cModuleConfig &module) {
        cConfigResultsDialog results(m_dialog);
        results.showComparison(cConfigComparison(file, module), m_fileName);
        results.exec();
    });
}

void cConfigModuleActions::applyFile()
{
    cModuleConfig file;
    if (!openFile(&file))
        return;
    readModule([this, file](const cModuleConfig &module) { confirmAndApply(file, module); });
}

void cConfigModuleActions::confirmAndApply(const cModuleConfig &file, const cModuleConfig &module)
{
    const cConfigComparison comparison(file, module);
    cConfigApplyPlan::options_t options;
    if (comparison.match() == cConfigComparison::OtherType)
        return notPossible(comparison.mismatchText());
    if (comparison.match() == cConfigComparison::OtherVariant) {
        QMessageBox box(QMessageBox::Warning, tr("Apply File"),
                        comparison.mismatchText() + QLatin1Char('\n')
                            + tr("Apply only the parameters both variants have?"),
                        QMessageBox::NoButton, m_dialog);
        QPushButton *shared = box.addButton(tr("Apply shared"), QMessageBox::AcceptRole);
        box.addButton(tr("Cancel"), QMessageBox::RejectRole);
        box.exec();
        if (box.clickedButton() != shared)
            return;
        options.sharedOnly = true;
    }
    if (cConfigApplyPlan(comparison, options).isEmpty())
        return nothingToWrite();
    // A file from another module would move this one onto that one's address.
    cConfigResultsDialog confirm(m_dialog);
    confirm.showChanges(comparison, cConfigApplyPlan::addressAfter(file) != m_dialog->configTarget().address);
    if (confirm.exec() != QDialog::Accepted)
        return;
    options.keepOwn = confirm.keepOwn();
    if (!options.keepOwn && !addressFree(file))
        return;
    m_plan = cConfigApplyPlan(comparison, options);
    for (const configDiff_t &change : m_plan.programChanges())
        m_dialog->ui.cBoxSafeActive_3110->setCurrentIndex(int(file.value(change.param)));
    if (m_plan.steps().isEmpty())
        return nothingToWrite();
    setBusy(true);
    m_session.apply(m_dialog->configTarget(), m_plan);
}

// As for the dialog's own "Set": two modules on one address would both answer.
bool cConfigModuleActions::addressFree(const cModuleConfig &file)
{
    const quint8 address = cConfigApplyPlan::addressAfter(file);
    if (m_owner->checkModuleAddress(address, quint16(m_dialog->tableRow())) != 1)
        return true;
    notPossible(tr("A module with the file's address %1 already exists in the list: nothing was written.")
                    .arg(address));
    return false;
}

void cConfigModuleActions::nothingToWrite()
{
    showCloseMessage(m_dialog, QMessageBox::Information, tr("Apply File"),
                     tr("The module already has the file's configuration: nothing to write."), tr("Close"));
}

void cConfigModuleActions::applied(const configApplyResult_t &result)
{
    setBusy(false);
    cConfigResultsDialog results(m_dialog);
    results.showResult(result);
    results.exec();
}
