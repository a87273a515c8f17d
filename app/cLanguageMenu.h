#ifndef CLANGUAGEMENU_H
#define CLANGUAGEMENU_H

#include <QMenu>

#include "cTranslations.h"

// Settings > Language. The windows translate their texts once, as they are
// built, so a new choice takes effect at the next start.
class cLanguageMenu : public QMenu
{
    Q_OBJECT

public:
    explicit cLanguageMenu(QWidget *parent);

private:
    void choose(cTranslations::language_t language);
};

#endif
