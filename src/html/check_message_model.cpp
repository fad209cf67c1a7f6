#include "html/check_message_model.h"

#include "html/check_texts.h"

using namespace Qt::StringLiterals;

void CheckMessageModel::setMessages(const QList<CheckMessage> &messages)
{
    beginResetModel();
    m_messages = messages;
    endResetModel();
}

int CheckMessageModel::rowOf(const CheckMessage &message) const
{
    for (qsizetype row = 0; row < m_messages.size(); ++row) {
        const CheckMessage &m = m_messages[row];
        if (m.line == message.line && m.column == message.column && m.key == message.key
            && m.arguments == message.arguments)
            return int(row);
    }
    return -1;
}

int CheckMessageModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_messages.size());
}

int CheckMessageModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 4;
}

QVariant CheckMessageModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_messages.size())
        return {};
    const CheckMessage &message = m_messages[index.row()];
    if (role == Qt::TextAlignmentRole && index.column() < 2)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    // A message about the whole page (line 0) points at its start.
    switch (index.column()) {
    case 0: return QString::number(qMax(1, message.line));
    case 1: return QString::number(qMax(1, message.column));
    case 2: return CheckTexts::levelName(message.level);
    default: return CheckTexts::text(message);
    }
}

QVariant CheckMessageModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const QString titles[] = {u"Zeile"_s, u"Spalte"_s, u"Art"_s, u"Meldung"_s};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 3)
        return {};
    return titles[section];
}
