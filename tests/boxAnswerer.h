#ifndef BOXANSWERER_H
#define BOXANSWERER_H

#include <QObject>
#include <QStringList>
#include <QTimer>

// Answers modal message boxes as they come up: records each one's title and
// text and presses the button named next in the list (the first button when
// the list has run out).
class boxAnswerer : public QObject
{
    Q_OBJECT

public:
    explicit boxAnswerer(QStringList buttons = {}, QObject *parent = nullptr);

    QStringList titles;
    QStringList texts;

    int count() const { return titles.size(); }

private:
    void poll();

    QStringList m_buttons;
    QTimer m_timer;
};

#endif
