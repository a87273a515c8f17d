#ifndef WINDOWFIXTURE_H
#define WINDOWFIXTURE_H

#include <QTemporaryDir>
#include <memory>

#include "mainClass.h"
#include "srchSettings_t.h"

// A main window on a settings store of its own.
class windowFixture
{
public:
    windowFixture();

    void storeSettings(const srchSettings_t &settings);
    mainClass *open();
    QString storePath() const { return m_store.path(); }
    // Closes the window, answering its question with "Yes".
    void shut();

    std::unique_ptr<mainClass> window;

private:
    QTemporaryDir m_store;
};

srchSettings_t searchSettings(const QString &port, QList<int> bauds, QList<int> formats,
                              quint16 timeOut);

#endif
