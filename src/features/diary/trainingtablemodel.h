#pragma once

// The trainings of the diary window's table. The model keeps the figures and
// writes a cell's text only when the view asks for it, so that thousands of
// trainings cost no more than the rows on the screen.

#include "model/diaryrecords.h"
#include "sheets/trainingview.h"

#include <QAbstractTableModel>
#include <QList>
#include <QLocale>

namespace ankerblick {

class TrainingTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TrainingTableModel(const QLocale& locale, QObject* parent = nullptr);

    // Shows the trainings, given in order().
    void setTrainings(QList<diary::TrainingSummary> trainings);
    // The order chosen last: the table's column and direction.
    diary::TableOrder order() const { return m_order; }
    // The trainings in the order shown.
    const QList<diary::TrainingSummary>& trainings() const { return m_rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    QLocale m_locale;
    QList<diary::TrainingSummary> m_rows;
    diary::TableOrder m_order;
};

} // namespace ankerblick
