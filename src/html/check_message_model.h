#pragma once

#include "html/check_protocol.h"

#include <QAbstractTableModel>

// The page check's messages as the check window lists them: "Zeile", "Spalte", "Art",
// "Meldung". The German texts are made only for the rows a view asks for, so a page with tens
// of thousands of messages is shown at once.
class CheckMessageModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setMessages(const QList<CheckMessage> &messages);
    const QList<CheckMessage> &messages() const { return m_messages; }
    // The row of the first message equal to `message` in place, code and arguments, or -1.
    int rowOf(const CheckMessage &message) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<CheckMessage> m_messages;
};
