#include "trainingtablemodel.h"

#include "sheets/diaryexport.h"

#include <QHash>

#include <algorithm>
#include <utility>

namespace ankerblick {

using diary::TrainingColumn;

TrainingTableModel::TrainingTableModel(const QLocale& locale, QObject* parent)
    : QAbstractTableModel(parent), m_locale(locale) {}

void TrainingTableModel::setTrainings(QList<diary::TrainingSummary> trainings) {
    beginResetModel();
    m_rows = std::move(trainings);
    endResetModel();
}

int TrainingTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TrainingTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : diary::kTrainingColumns;
}

QVariant TrainingTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const auto column = TrainingColumn(index.column());
    if (role == Qt::DisplayRole)
        return diary::trainingCell(m_rows.at(index.row()), column, m_locale);
    if (role == Qt::TextAlignmentRole)
        return int((diary::isFigureColumn(column) ? Qt::AlignRight : Qt::AlignLeft) |
                   Qt::AlignVCenter);
    return {};
}

QVariant TrainingTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= diary::kTrainingColumns)
        return {};
    if (role != Qt::DisplayRole)
        return {};
    // The captions of more than one word take two lines: the figure columns
    // then need no more room than their figures, and all columns fit the window.
    QString caption = diary::trainingHeader(TrainingColumn(section));
    const auto blank = caption.indexOf(u' ');
    if (blank > 0)
        caption[blank] = u'\n';
    return caption;
}

void TrainingTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= diary::kTrainingColumns)
        return;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The selection follows its trainings to their new rows.
    const QModelIndexList before = persistentIndexList();
    QList<qint64> ids;
    for (const QModelIndex& index : before)
        ids << m_rows.at(index.row()).training.id;
    m_order = {TrainingColumn(column), order == Qt::DescendingOrder};
    diary::sortTrainings(m_rows, m_order);
    if (!before.isEmpty()) {
        QHash<qint64, int> rowOf;
        for (int row = 0; row < int(m_rows.size()); ++row)
            rowOf.insert(m_rows.at(row).training.id, row);
        QModelIndexList after;
        for (qsizetype k = 0; k < before.size(); ++k)
            after << index(rowOf.value(ids.at(k)), before.at(k).column());
        changePersistentIndexList(before, after);
    }
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace ankerblick
