#pragma once
// The channel grid's model over the channel query. Besides showing the rows it holds the rules
// every edit of a channel cell goes through: the lock rule of a channel row (asked of the core,
// which every writer of a channel goes by), the band check of the two frequencies, the reset of a
// tone value when its tone type is chosen, and the squelch column shown as "[1]".."[9]" over the
// stored "0".."8".

#include <QColor>

#include "codec/channel_fields.h"
#include "protocol/run_settings.h"
#include "query_table_model.h"

namespace q36::ui {

// The grid's columns are the channel row's.
namespace channel_column = q36::channel_column;

// Colours of the grid.
inline const QColor EvenRowTint(220, 248, 255);
inline const QColor ChannelNoBackground(192, 220, 192);
inline const QColor DisabledBackground(255, 255, 255);
inline const QColor DisabledText(128, 128, 128);
// The text of every cell with a colour of its own: the tints are light whatever the desktop's
// palette, so their text must not follow a dark palette's light text.
inline const QColor TintedText(0, 0, 0);

class ChannelGridModel : public QueryTableModel {
    Q_OBJECT
  public:
    // Frequencies are checked against the band of settings, and messages are in its language;
    // settings must outlive the model.
    explicit ChannelGridModel(const RunSettings& settings, QObject* parent = nullptr);

    // Remembers the row's two frequency texts; a frequency out of band entered in that row brings
    // its text back. In any other row it leaves the cell as it was: another channel's frequency
    // is never copied in.
    void SaveOldFrequencies(int row);
    const QString& OldTxFreqText() const { return oldTx_; }
    const QString& OldRxFreqText() const { return oldRx_; }

    // Whether the channel of the row is enabled (its ENABLED does not read "False").
    bool RowEnabled(int row) const;
    // The cell's own colour: the channel numbers, a disabled row, the tinted rows; invalid where
    // the palette's base shows.
    QVariant CellBackground(int row, int column) const;

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  private:
    bool WriteFrequency(int column, const QString& text);
    bool WriteToneType(int typeColumn, const QString& text);

    const RunSettings& settings_;
    QString oldTx_;
    QString oldRx_;
    int oldRow_ = -1;  // the row the two texts were saved from
};

}  // namespace q36::ui
