#pragma once
// The Edit menu's commands over the channel grid's selection: copy and paste as the tab-separated
// text spreadsheets use, fill down, clear channels and reset the current page to the band's
// defaults. Each change is computed on the whole configuration and stored through the window as
// one named step; what the checks refused is named in one message afterwards.

#include <QObject>
#include <QString>
#include <vector>

#include "codec/channel_cells.h"
#include "codec/configuration.h"
#include "text/language.h"

class QAction;
class QMenu;

namespace q36::ui {

class TMainForm;

class GridEditCommands : public QObject {
    Q_OBJECT
  public:
    // Adds the commands to menu (the window's Edit menu); the window must outlive them.
    GridEditCommands(TMainForm& window, QMenu& menu);

    // Sets the menu's and the commands' captions in the language of the run.
    void ApplyCaptions();

    void Copy();
    // Pastes the clipboard's text, or text when it is given.
    void Paste(const QString* text = nullptr);
    void FillDown();
    void ClearChannel();
    void ResetPage();

  protected:
    // Ctrl+C and Ctrl+V in a cell's open editor are the commands' when they concern more than that
    // cell: a selection of many cells, or a block of cells on the clipboard.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The selected rows and columns of the grid, each sorted; the current cell when none is.
    void Selection(std::vector<int>& rows, std::vector<int>& columns) const;
    CellRules Rules() const;
    // Stores the channels as the step; then names what was refused.
    void Apply(const Configuration& current, const ChannelArr& channels, const TextPair& step,
               const std::vector<CellRefusal>& refused, bool cutOff);

    TMainForm& window_;
    QMenu& menu_;
    QAction* copy_;
    QAction* paste_;
    QAction* fillDown_;
    QAction* clearChannel_;
    QAction* resetPage_;
};

}  // namespace q36::ui
