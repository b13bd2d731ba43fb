#include "channel_grid_model.h"

#include "codec/channel_fields.h"
#include "codec/frequency.h"
#include "codec/tone_tables.h"
#include "store/configuration_store.h"
#include "text/messages.h"
#include "text/text_pairs.h"
#include "ui_text.h"

namespace q36::ui {

namespace {

namespace col = channel_column;

bool IsCheckColumn(int column) {
    return column == col::Enabled || column == col::Vox;
}

// "#.0000": four decimals for a stored number; other texts (an empty frequency) as they are.
QString FrequencyShown(const QString& stored) {
    bool ok = false;
    const double value = stored.toDouble(&ok);
    return ok ? QString::number(value, 'f', 4) : stored;
}

QString LevelShown(const QString& stored) {
    bool ok = false;
    const int key = stored.toInt(&ok);
    return ok && key >= 0 && key <= 8 ? QStringLiteral("[%1]").arg(key + 1) : stored;
}

}  // namespace

ChannelGridModel::ChannelGridModel(const RunSettings& settings, QObject* parent)
    : QueryTableModel({"CHANNELNO", "ENABLED", "VOX", "FTX", "FTONE", "SDATA", "TXPOWER",
                       "REFREQUENCY", "RETONE", "REDATA", "LEVEL", "BW", "ADDSCAN", "BUSY"},
                      parent),
      settings_(settings) {}

void ChannelGridModel::SaveOldFrequencies(int row) {
    oldRow_ = row;
    oldTx_ = StoredText(row, col::Ftx);
    oldRx_ = StoredText(row, col::RxFreq);
}

bool ChannelGridModel::RowEnabled(int row) const {
    return StoredText(row, col::Enabled) != QLatin1String("False");
}

QVariant ChannelGridModel::CellBackground(int row, int column) const {
    if (column == col::ChannelNo) return ChannelNoBackground;
    if (!RowEnabled(row)) return DisabledBackground;
    // Record numbers count from 1: the second, fourth, ... rows are tinted.
    if (row % 2 == 1) return EvenRowTint;
    return {};
}

QVariant ChannelGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole: {
            const QString stored = StoredText(row, column);
            if (IsCheckColumn(column)) return {};
            if (column == col::Ftx || column == col::RxFreq) return FrequencyShown(stored);
            if (column == col::Level) return LevelShown(stored);
            return stored;
        }
        case Qt::EditRole:
            return StoredText(row, column);
        case Qt::CheckStateRole:
            if (!IsCheckColumn(column)) return {};
            return StoredText(row, column) == QLatin1String("True") ? Qt::Checked : Qt::Unchecked;
        case Qt::TextAlignmentRole:
            return int(Qt::AlignCenter);
        case Qt::BackgroundRole:
            return CellBackground(row, column);
        case Qt::ForegroundRole:
            if (!RowEnabled(row)) return DisabledText;
            if (CellBackground(row, column).isValid()) return TintedText;
            return {};
        default:
            return {};
    }
}

Qt::ItemFlags ChannelGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int column = index.column();
    // The lock rule decides: a disabled channel can only be enabled, the key never changes.
    if (!GetQuery() || !ChannelColumnWritable(ChannelOfRow(*GetQuery(), index.row()), column)) {
        return flags;
    }
    if (IsCheckColumn(column)) return flags | Qt::ItemIsUserCheckable;
    return flags | Qt::ItemIsEditable;
}

bool ChannelGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || !GetQuery()) return false;
    const int column = index.column();
    const Qt::ItemFlags allowed = flags(index);
    QString text;
    if (role == Qt::CheckStateRole && (allowed & Qt::ItemIsUserCheckable)) {
        text = value.value<Qt::CheckState>() == Qt::Checked ? QStringLiteral("True")
                                                            : QStringLiteral("False");
    } else if (role == Qt::EditRole && (allowed & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable))) {
        text = value.toString();
    } else {
        return false;
    }
    if (!EditRow(index.row())) return false;
    if (column == col::Ftx || column == col::RxFreq) return WriteFrequency(column, text);
    if (column == col::Ftone) return WriteToneType(col::Ftone, text);
    if (column == col::Retone) return WriteToneType(col::Retone, text);
    return Write(column, text.toStdString());
}

bool ChannelGridModel::WriteFrequency(int column, const QString& entered) {
    const QString text = entered.trimmed();
    if (text.isEmpty()) {
        // Stored empty; the next write refuses the channel until a frequency is entered.
        Tell(QTr(txt::MsgFreqNotNumber, settings_.LanguageIndex));
        return Write(column, std::string());
    }
    switch (CheckFrequencyText(text.toStdString(), settings_.BandLowMHz, settings_.BandHighMHz)) {
        case FrequencyCheck::Ok:
            return Write(column, text.toStdString());
        case FrequencyCheck::OutOfBand: {
            Tell(QTr(txt::MsgFreqError, settings_.LanguageIndex));
            if (oldRow_ == GetQuery()->RowIndex()) {
                Write(column, (column == col::Ftx ? oldTx_ : oldRx_).toStdString());
            }
            return false;
        }
        case FrequencyCheck::NotNumber:
            break;
    }
    // Not a number: the cell keeps its value.
    Tell(QTr(txt::MsgFreqNotNumber, settings_.LanguageIndex));
    return false;
}

bool ChannelGridModel::WriteToneType(int typeColumn, const QString& type) {
    const std::string typeText = type.toStdString();
    if (ToneTypeCode(typeText) < 0) return false;
    if (!Write(typeColumn, typeText)) return false;
    // Every choice resets the value, also the choice of the type the channel already has.
    const int valueColumn = typeColumn == col::Ftone ? col::Sdata : col::Redata;
    std::string reset;
    if (typeText == ToneTypeTexts[1]) {
        reset = "67.0";
    } else if (typeText != ToneTypeTexts[0]) {
        reset = "23";
    }
    return Write(valueColumn, reset);
}

}  // namespace q36::ui
