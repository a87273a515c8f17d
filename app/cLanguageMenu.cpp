#include "cLanguageMenu.h"

#include <QActionGroup>

#include "closeMessage.h"

cLanguageMenu::cLanguageMenu(QWidget *parent)
    : QMenu(tr("&Language"), parent)
{
    setObjectName(QStringLiteral("menuLanguage"));
    const struct
    {
        QString name;
        cTranslations::language_t language;
    } entries[] = {{tr("&Russian"), cTranslations::Russian}, {tr("&English"), cTranslations::English}};
    auto *group = new QActionGroup(this);
    const cTranslations::language_t chosen = cTranslations::chosenLanguage();
    for (const auto &entry : entries) {
        QAction *action = addAction(entry.name);
        action->setCheckable(true);
        action->setChecked(entry.language == chosen);
        group->addAction(action);
        const cTranslations::language_t language = entry.language;
        connect(action, &QAction::triggered, this, [this, language] { choose(language); });
    }
}

void cLanguageMenu::choose(cTranslations::language_t language)
{
    if (language == cTranslations::chosenLanguage())
        return;
    cTranslations::chooseLanguage(language);
    showCloseMessage(parentWidget(), QMessageBox::Information, tr("Language"),
                     tr("The new language takes effect when the program is started again."), tr("Close"));
}
