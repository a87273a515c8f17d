#ifndef MTABLEWIDGETITEM_H
#define MTABLEWIDGETITEM_H

#include <QTableWidgetItem>
#include <QVariant>

// Column-0 item of a module-dialog table; it carries the row record of the
// channel kind its tab shows, so a clicked row hands back its channel data.
// Record types need Q_DECLARE_METATYPE.
class mTableWidgetItem : public QTableWidgetItem
{
public:
    mTableWidgetItem() = default;
    explicit mTableWidgetItem(const QString &text);

    // Qt copies items through clone() (e.g. when sorting or dragging); the
    // record has to travel with the copy.
    QTableWidgetItem *clone() const override;

    template <typename T>
    void setRecord(const T &record)
    {
        m_record = QVariant::fromValue(record);
    }

    template <typename T>
    bool hasRecord() const
    {
        return m_record.userType() == qMetaTypeId<T>();
    }

    template <typename T>
    T record() const
    {
        return m_record.value<T>();
    }

private:
    QVariant m_record;
};

#endif
