#pragma once
// The channel grid of the main window: 24 channels by 14 columns, all in view, edited in place
// with check boxes, drop-down lists, typed frequencies and the tone-value lists laid over the
// focused tone-value cell.

#include "edit_grid.h"

#include "channel_grid_model.h"

class QComboBox;

namespace q36::ui {

class ChannelGrid : public EditGrid {
    Q_OBJECT
  public:
    // The cells follow the rules of settings (band, language), which must outlive the grid.
    explicit ChannelGrid(const RunSettings& settings, QWidget* parent = nullptr);

    ChannelGridModel& Model() { return *model_; }
    // The pick list of a column whose stored value is the shown word (TXPOWER, BW, ADDSCAN,
    // BUSY), in the language of the run.
    void SetWordList(int column, const QStringList& words);
    // The entries a column's drop-down list shows.
    QStringList ShownList(int column) const;
    // Stores what an open cell editor holds; the row stays in edit state.
    void FlushEditor();
    // Also opens the tone-value list over the current SDATA or REDATA cell.
    bool OpenList(const QModelIndex& index) override;

    // The tone-value lists over SDATA and REDATA.
    QComboBox* DBComboBoxEh1 = nullptr;
    QComboBox* DBComboBoxEh2 = nullptr;

  protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void updateGeometries() override;

  private:
    QComboBox* NewToneList(const char* name, int column);
    void PlaceToneLists();
    void ShowMessage(const QString& text);

    int language_;
    ChannelGridModel* model_;
};

}  // namespace q36::ui
